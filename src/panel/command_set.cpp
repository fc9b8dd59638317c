#include "panel/command_set.h"

#include <QAbstractButton>
#include <QAction>

CommandSet::CommandSet(QObject *parent) : QObject(parent) {}

QAction *CommandSet::add(const QString &id, QAbstractButton *button) {
    auto *action = new QAction(button->text(), this);
    action->setObjectName(id);
    action->setEnabled(!button->testAttribute(Qt::WA_ForceDisabled));
    connect(action, &QAction::changed, button, [action, button] { button->setEnabled(action->isEnabled()); });
    if (!button->isCheckable()) connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    entries_.push_back({id, action, button});
    return action;
}

const CommandSet::Entry *CommandSet::entry(const QString &id) const {
    for (const Entry &e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

QAction *CommandSet::find(const QString &id) const {
    const Entry *e = entry(id);
    return e ? e->action : nullptr;
}

QAbstractButton *CommandSet::button(const QString &id) const {
    const Entry *e = entry(id);
    return e ? e->button : nullptr;
}

QStringList CommandSet::ids() const {
    QStringList out;
    for (const Entry &e : entries_) out << e.id;
    return out;
}

void CommandSet::setEnabled(const QString &id, bool enabled) {
    if (const Entry *e = entry(id)) e->action->setEnabled(enabled);
}

bool CommandSet::isAvailable(const QString &id) const {
    const Entry *e = entry(id);
    // The button's effective state adds its frames and window to the command's own.
    return e && e->action->isEnabled() && e->button->isEnabled() && e->button->isVisibleTo(e->button->window());
}

bool CommandSet::trigger(const QString &id) {
    if (!isAvailable(id)) return false;
    // The click is the operator's action: a push button's click triggers the command
    // (through clicked), a check or option button changes and reports its toggle.
    entry(id)->button->click();
    return true;
}
