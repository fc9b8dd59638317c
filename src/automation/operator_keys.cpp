// Key presses as a keyboard makes them: to the window's focused control (or the
// window), a press and a release per key.
#include "automation/operator_actions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace automation {

namespace {

// The text a key types: letters follow Shift, other printable keys are themselves.
QString keyText(QKeyCombination k) {
    const int key = k.key();
    if (k.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(k.keyboardModifiers() & Qt::ShiftModifier ? key : key - Qt::Key_A + 'a');
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return QStringLiteral("\r");
    if (key >= 0x20 && key < 0x7F) return QChar(key);
    return {};
}

}  // namespace

ActionResult pressKeys(QWidget *window, const QList<QKeyCombination> &keys) {
    if (!window->isWindow()) return ActionResult::fault(QStringLiteral("keys go to a window, not to a control"));
    // A person types into the window in front: its shortcuts (Ctrl+Z ...) need it active.
    if (reachable(window) && !window->isActiveWindow()) {
        window->activateWindow();
        // The window system says so in an event of its own: let it arrive first.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    for (const QKeyCombination k : keys) {
        // A dialog that an earlier key opened takes the window's keys away.
        if (!reachable(window)) return ActionResult::unreachable();
        QWidget *focus = window->focusWidget();
        QPointer<QWidget> target = focus && focus->isVisible() && focus->isEnabled() ? focus : window;
        const QString text = keyText(k);
        QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers(), text);
        QApplication::sendEvent(target, &press);
        if (!target) continue;
        QKeyEvent release(QEvent::KeyRelease, k.key(), k.keyboardModifiers(), text);
        QApplication::sendEvent(target, &release);
    }
    return {};
}

}  // namespace automation
