#pragma once
// One command per operator action, known by a stable id ("forward", "keypad.7", ...).
// Each command stands for one button of the control panel: the command holds the
// button's own enabled state (the button shows it), a click on the button triggers
// the command, and the keys, the remote and any other caller trigger it by id. A
// command runs only where a person could click its button now: enabled, inside an
// enabled frame and window, and shown (the entry panel in front).
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QAbstractButton;
class QAction;

class CommandSet : public QObject {
    Q_OBJECT
public:
    explicit CommandSet(QObject *parent = nullptr);

    // Adds the command `id` for `button`, enabled as the button is now. For a push
    // button, connect what it does to the returned action's triggered(); a check or
    // option button keeps its own toggled() and the command clicks it.
    QAction *add(const QString &id, QAbstractButton *button);

    QAction *find(const QString &id) const;
    // The button that shows the command (nullptr for an unknown id).
    QAbstractButton *button(const QString &id) const;
    QStringList ids() const;

    // The command's own state (the trip's rules set it); its button follows.
    void setEnabled(const QString &id, bool enabled);
    // Whether triggering `id` would run now.
    bool isAvailable(const QString &id) const;
    // Runs `id` as a click on its button would; false when unknown or not available.
    bool trigger(const QString &id);

private:
    struct Entry {
        QString id;
        QAction *action;
        QAbstractButton *button;
    };
    const Entry *entry(const QString &id) const;

    std::vector<Entry> entries_;
};
