#include "view/key_router.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace view {

KeyRouter::KeyRouter(QObject *parent) : QObject(parent) { qApp->installEventFilter(this); }

KeyRouter::~KeyRouter() {
    if (qApp) qApp->removeEventFilter(this);
}

void KeyRouter::addWindow(QWidget *window, bool panel) { windows_.push_back({window, panel}); }

void KeyRouter::setHandler(KeyAction action, Handler handler) { handlers_[action] = std::move(handler); }

bool KeyRouter::pressButton(QAbstractButton *button) {
    if (!button || !button->isEnabled() || !button->isVisibleTo(button->window())) return false;
    button->click();
    return true;
}

const KeyRouter::Watched *KeyRouter::windowOf(QObject *receiver) const {
    if (!receiver->isWidgetType()) return nullptr;
    const QWidget *window = static_cast<QWidget *>(receiver)->window();
    for (const Watched &w : windows_)
        if (w.window == window) return &w;
    return nullptr;
}

bool KeyRouter::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    const Watched *window = windowOf(watched);
    if (!window) return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const auto hit = actionForKey(key->keyCombination(), window->panel);
    if (!hit) return false;
    const auto handler = handlers_.find(hit->action);
    if (handler == handlers_.end()) return false;
    // Claim the key before any control's own shortcut sees it; act on the press.
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    // A held key is one press: stepping through a route by auto-repeat would run away.
    if (!key->isAutoRepeat()) handler->second(*hit);
    return true;
}

}  // namespace view
