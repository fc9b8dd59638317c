#include "automation/operator_actions.h"

#include "automation/control_lookup.h"
#include "automation/value_convert.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <optional>

namespace automation {

namespace {

bool isAncestorOf(const QWidget *ancestor, const QWidget *w) {
    for (const QWidget *p = w; p; p = p->parentWidget())
        if (p == ancestor) return true;
    return false;
}

// A window is blocked while a modal dialog is open that is not the window itself or
// one of its own dialogs (a window-modal dialog blocks only the windows it belongs to).
bool blockedByModal(const QWidget *w) {
    const QWidget *modal = QApplication::activeModalWidget();
    if (!modal) return false;
    const QWidget *window = w->window();
    if (isAncestorOf(modal, window)) return false;
    if (modal->windowModality() == Qt::WindowModal) return modal->parentWidget() && isAncestorOf(window, modal->parentWidget());
    return true;
}

// Where a mouse press lands: the widget under the point and the point in its own terms.
struct Hit {
    QWidget *receiver = nullptr;
    QPoint pos;
};

// Finds a point of `w` that is not covered by another control. The widget's own
// surface is preferred; where its children cover all of it, a point on one of its
// children will do (an event a child ignores goes on to its parent, as for a person).
// A window's own surface includes the unnamed widgets it is drawn on (the board's
// face, which holds its controls): a press there is a press on the window.
bool ownSurface(const QWidget *w, const QWidget *under) {
    if (under == w) return true;
    if (!w->isWindow()) return false;
    const QWidget *p = under;
    for (; p && p != w; p = p->parentWidget())
        if (!isInternalName(p->objectName())) return false;
    return p == w;
}

std::optional<Hit> hitOn(QWidget *w, std::optional<QPoint> preferred = std::nullopt) {
    QWidget *window = w->window();
    QList<QPoint> points;
    if (preferred) points.append(*preferred);
    points.append(w->rect().center());
    const int steps = 8;
    for (int j = 1; j < steps; ++j)
        for (int i = 1; i < steps; ++i) points.append(QPoint(w->width() * i / steps, w->height() * j / steps));

    std::optional<Hit> onChild;
    for (const QPoint &p : points) {
        if (!w->rect().contains(p)) continue;
        const QPoint inWindow = w->mapTo(window, p);
        QWidget *under = window->childAt(inWindow);
        if (!under) under = window;
        if (under == w) return Hit{w, p};
        if (ownSurface(w, under)) return Hit{under, under->mapFrom(window, inWindow)};
        if (!onChild && isAncestorOf(w, under)) onChild = Hit{under, under->mapFrom(window, inWindow)};
    }
    return onChild;
}

// Focus goes where a mouse press would give it: to the first widget, from the one
// under the mouse outwards, that takes focus by clicking.
void giveClickFocus(QWidget *receiver) {
    for (QWidget *p = receiver; p; p = p->parentWidget()) {
        if (p->isEnabled() && (p->focusPolicy() & Qt::ClickFocus)) {
            p->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (p->isWindow()) return;
    }
}

void activate(QWidget *w) {
    QWidget *window = w->window();
    if (!window->isActiveWindow()) window->activateWindow();
}

// Sends one mouse event; false when the receiver went away while handling an earlier one.
bool send(const QPointer<QWidget> &receiver, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    if (!receiver) return false;
    const QPointF global = receiver->mapToGlobal(QPointF(pos));
    const QPointF scene = receiver->mapTo(receiver->window(), QPointF(pos));
    QMouseEvent event(type, QPointF(pos), scene, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
    return !receiver.isNull();
}

void pressAndRelease(const Hit &hit, Qt::MouseButton button) {
    QPointer<QWidget> r = hit.receiver;
    if (!send(r, QEvent::MouseButtonPress, hit.pos, button, button)) return;
    send(r, QEvent::MouseButtonRelease, hit.pos, button, Qt::NoButton);
}

std::optional<QPoint> indicatorCentre(QWidget *w) {
    QStyle::SubElement element;
    if (qobject_cast<QRadioButton *>(w)) element = QStyle::SE_RadioButtonIndicator;
    else if (qobject_cast<QCheckBox *>(w)) element = QStyle::SE_CheckBoxIndicator;
    else return std::nullopt;
    QStyleOptionButton opt;
    opt.initFrom(w);
    return w->style()->subElementRect(element, &opt, w).center();
}

ActionResult mouseClick(QWidget *w, Qt::MouseButton button) {
    if (!reachable(w)) return ActionResult::unreachable();
    const auto hit = hitOn(w, indicatorCentre(w));
    if (!hit) return ActionResult::unreachable();
    activate(w);
    giveClickFocus(hit->receiver);
    QPointer<QWidget> r = hit->receiver;
    if (!send(r, QEvent::MouseButtonPress, hit->pos, button, button)) return {};
    if (button == Qt::RightButton) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, hit->pos, r->mapToGlobal(hit->pos), Qt::NoModifier);
        QApplication::sendEvent(r, &menu);
    }
    send(r, QEvent::MouseButtonRelease, hit->pos, button, Qt::NoButton);
    return {};
}

QString kindOf(QWidget *w) { return controlKind(w); }

ActionResult checkTo(QAbstractButton *button, Qt::CheckState target) {
    auto state = [button] {
        if (auto *box = qobject_cast<QCheckBox *>(button)) return box->checkState();
        return button->isChecked() ? Qt::Checked : Qt::Unchecked;
    };
    // A person clicks until the box shows what they want; a box cycles through at most three states.
    QPointer<QAbstractButton> guard = button;
    for (int i = 0; i < 3 && guard && state() != target; ++i) {
        const ActionResult r = click(button);
        if (!r.reached || !r.error.isEmpty()) return r;
    }
    return {};
}

}  // namespace

bool reachable(QWidget *w) { return w && w->isVisible() && w->isEnabled() && !blockedByModal(w); }

ActionResult click(QWidget *w) { return mouseClick(w, Qt::LeftButton); }

ActionResult rightClick(QWidget *w) { return mouseClick(w, Qt::RightButton); }

ActionResult doubleClick(QWidget *w) {
    if (!reachable(w)) return ActionResult::unreachable();
    const auto hit = hitOn(w);
    if (!hit) return ActionResult::unreachable();
    activate(w);
    giveClickFocus(hit->receiver);
    // The window system's sequence: press, release, double click, release.
    QPointer<QWidget> r = hit->receiver;
    if (!send(r, QEvent::MouseButtonPress, hit->pos, Qt::LeftButton, Qt::LeftButton)) return {};
    if (!send(r, QEvent::MouseButtonRelease, hit->pos, Qt::LeftButton, Qt::NoButton)) return {};
    if (!send(r, QEvent::MouseButtonDblClick, hit->pos, Qt::LeftButton, Qt::LeftButton)) return {};
    send(r, QEvent::MouseButtonRelease, hit->pos, Qt::LeftButton, Qt::NoButton);
    return {};
}

ActionResult drag(QWidget *w, QPoint delta) {
    if (!reachable(w)) return ActionResult::unreachable();
    const auto hit = hitOn(w);
    if (!hit) return ActionResult::unreachable();
    activate(w);
    QPointer<QWidget> r = hit->receiver;
    const QPointF start = r->mapToGlobal(QPointF(hit->pos));
    // Positions follow the screen: the widget may move under the mouse while dragged.
    auto sendAt = [&r](QEvent::Type type, QPointF global, Qt::MouseButton button, Qt::MouseButtons buttons) {
        if (!r) return false;
        const QPointF local = r->mapFromGlobal(global);
        QMouseEvent event(type, local, r->mapTo(r->window(), local), global, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(r, &event);
        return !r.isNull();
    };
    if (!sendAt(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton)) return {};
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i)
        if (!sendAt(QEvent::MouseMove, start + QPointF(delta) * i / kSteps, Qt::NoButton, Qt::LeftButton)) return {};
    sendAt(QEvent::MouseButtonRelease, start + QPointF(delta), Qt::LeftButton, Qt::NoButton);
    return {};
}

ActionResult moveWindow(QWidget *w, QPoint topLeft) {
    if (!w->isWindow()) return ActionResult::fault(QStringLiteral("only a window can be moved"));
    if (!w->isVisible()) return ActionResult::unreachable();
    w->move(topLeft);
    return {};
}

ActionResult selectRow(QWidget *w, int row) {
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (row >= combo->count())
            return ActionResult::fault(QStringLiteral("list position %1 is out of range (%2 items)").arg(row).arg(combo->count()));
        if (!reachable(combo)) return ActionResult::unreachable();
        activate(combo);
        giveClickFocus(combo);
        if (row < 0) {
            combo->setCurrentIndex(-1);
            return {};
        }
        // Choosing from the drop-down list: the index changes, then the choice is reported.
        QPointer<QComboBox> guard = combo;
        combo->setCurrentIndex(row);
        if (guard) emit combo->activated(row);
        if (guard) emit combo->textActivated(combo->itemText(row));
        return {};
    }
    if (auto *view = qobject_cast<QAbstractItemView *>(w)) {
        QAbstractItemModel *model = view->model();
        const int rows = model ? model->rowCount(view->rootIndex()) : 0;
        if (row >= rows) return ActionResult::fault(QStringLiteral("list position %1 is out of range (%2 items)").arg(row).arg(rows));
        if (!reachable(view)) return ActionResult::unreachable();
        activate(view);
        giveClickFocus(view);
        if (row < 0) {
            view->clearSelection();
            view->setCurrentIndex(QModelIndex());
            return {};
        }
        const QModelIndex index = model->index(row, 0, view->rootIndex());
        view->scrollTo(index);  // a person scrolls the item into sight first
        const QRect itemRect = view->visualRect(index).intersected(view->viewport()->rect());
        if (itemRect.isEmpty()) return ActionResult::unreachable();
        pressAndRelease(Hit{view->viewport(), itemRect.center()}, Qt::LeftButton);
        return {};
    }
    return ActionResult::fault(QStringLiteral("%1 is a %2, not a list or combo box").arg(fullName(w), kindOf(w)));
}

ActionResult typeIntoCell(QWidget *w, int row, int column, const QString &value) {
    auto *view = qobject_cast<QAbstractItemView *>(w);
    if (!view || !view->model()) return ActionResult::fault(QStringLiteral("%1 is a %2, not a table").arg(fullName(w), kindOf(w)));
    QAbstractItemModel *model = view->model();
    const int rows = model->rowCount(view->rootIndex()), columns = model->columnCount(view->rootIndex());
    if (row < 1 || row > rows || column < 1 || column > columns)
        return ActionResult::fault(QStringLiteral("cell (%1, %2) is outside the table (%3 rows, %4 columns)").arg(row).arg(column).arg(rows).arg(columns));
    if (!reachable(view)) return ActionResult::unreachable();
    const QModelIndex index = model->index(row - 1, column - 1, view->rootIndex());
    if (!(index.flags() & Qt::ItemIsEditable)) return ActionResult::unreachable();
    activate(view);
    giveClickFocus(view);
    view->scrollTo(index);
    const QRect cellRect = view->visualRect(index).intersected(view->viewport()->rect());
    if (cellRect.isEmpty()) return ActionResult::unreachable();  // a hidden column
    pressAndRelease(Hit{view->viewport(), cellRect.center()}, Qt::LeftButton);
    QPointer<QAbstractItemView> guard = view;
    view->setCurrentIndex(index);
    view->edit(index);
    // The cell's editor, whether or not its window is active yet.
    QLineEdit *editor = nullptr;
    if (guard)
        for (QLineEdit *e : view->viewport()->findChildren<QLineEdit *>())
            if (e->isVisible()) editor = e;
    if (!editor)
        return ActionResult::fault(QStringLiteral("%1: cell (%2, %3) opens no text editor").arg(fullName(w)).arg(row).arg(column));
    editor->selectAll();
    editor->insert(value);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(editor, &press);
    return {};
}

ActionResult setValue(QWidget *w, const script::Token &value) {
    QString why;
    auto asInt = [&](QMetaType type) -> std::optional<QVariant> { return script::convertArgument(value, type, &why); };

    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->isEditable()) w = combo->lineEdit();
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        if (!reachable(edit) || edit->isReadOnly()) return ActionResult::unreachable();
        activate(edit);
        edit->setFocus(Qt::MouseFocusReason);
        // Typing over the whole text: the edit's own change reports follow as for keys.
        edit->selectAll();
        edit->insert(value.text);
        return {};
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(w)) {
        if (!reachable(text) || text->isReadOnly()) return ActionResult::unreachable();
        activate(text);
        text->setFocus(Qt::MouseFocusReason);
        text->setPlainText(value.text);
        return {};
    }
    if (auto *text = qobject_cast<QTextEdit *>(w)) {
        if (!reachable(text) || text->isReadOnly()) return ActionResult::unreachable();
        activate(text);
        text->setFocus(Qt::MouseFocusReason);
        text->setPlainText(value.text);
        return {};
    }
    if (auto *slider = qobject_cast<QAbstractSlider *>(w)) {
        const auto v = asInt(QMetaType::fromType<int>());
        if (!v) return ActionResult::fault(why);
        if (!reachable(slider)) return ActionResult::unreachable();
        slider->setValue(v->toInt());  // as far as the bar goes, like dragging its thumb
        return {};
    }
    if (auto *spin = qobject_cast<QSpinBox *>(w)) {
        const auto v = asInt(QMetaType::fromType<int>());
        if (!v) return ActionResult::fault(why);
        if (!reachable(spin) || spin->isReadOnly()) return ActionResult::unreachable();
        spin->setValue(v->toInt());
        return {};
    }
    if (auto *spin = qobject_cast<QDoubleSpinBox *>(w)) {
        const auto v = script::convertArgument(value, QMetaType::fromType<double>(), &why);
        if (!v) return ActionResult::fault(why);
        if (!reachable(spin) || spin->isReadOnly()) return ActionResult::unreachable();
        spin->setValue(v->toDouble());
        return {};
    }
    if (auto *radio = qobject_cast<QRadioButton *>(w)) {
        const auto v = script::convertArgument(value, QMetaType::fromType<bool>(), &why);
        if (!v) return ActionResult::fault(why);
        if (!v->toBool()) {
            if (radio->isChecked() && radio->autoExclusive())
                return ActionResult::fault(QStringLiteral("%1 is cleared by choosing another option button").arg(fullName(w)));
            return {};
        }
        return radio->isChecked() ? ActionResult{} : click(radio);
    }
    if (auto *button = qobject_cast<QAbstractButton *>(w); button && button->isCheckable()) {
        const auto v = asInt(QMetaType::fromType<int>());
        if (!v) return ActionResult::fault(why);
        const int state = v->toInt();
        auto *box = qobject_cast<QCheckBox *>(button);
        const bool tristate = box && box->isTristate();
        if (state < 0 || state > 2 || (state == 2 && !tristate))
            return ActionResult::fault(QStringLiteral("%1 takes the state 0 or 1%2, got %3")
                                           .arg(fullName(w), tristate ? QStringLiteral(" or 2") : QString())
                                           .arg(value.text));
        if (!reachable(button)) return ActionResult::unreachable();
        // Check boxes count 0 unchecked, 1 checked, 2 greyed.
        return checkTo(button, state == 0 ? Qt::Unchecked : state == 1 ? Qt::Checked : Qt::PartiallyChecked);
    }
    return ActionResult::fault(
        QStringLiteral("%1 is a %2: only text boxes, scroll bars and check boxes can be set").arg(fullName(w), kindOf(w)));
}

}  // namespace automation
