#pragma once
// Every message box of the program goes through here: it shows the words exactly as
// given, with the program's title when none is given, and records what was shown
// and which button answered it.
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <map>

namespace msgbox {

enum class Icon { None, Information, Question, Warning, Critical };

// Shows a modal message box and returns the button pressed.
QMessageBox::StandardButton show(QWidget *parent, const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 Icon icon = Icon::None, const QString &title = QString());

// Every box as it opens and as it closes, for whoever shows them away from the
// computer (the remote), and the way to answer one from there. A person at the
// computer answers the box as always; whichever answer comes first counts.
class Notifier : public QObject {
    Q_OBJECT
public:
    struct Open {
        int id = 0;
        QString title, text;
        QStringList buttons;  // "OK", "Yes", "No", ...
    };

    // The program's one notifier, which show() reports to.
    static Notifier &instance();

    // The boxes open now, the newest last.
    std::vector<Open> open() const;
    // Presses `button` on the open box `id`; false when there is no such box or button.
    bool answer(int id, const QString &button);

signals:
    void opened(const msgbox::Notifier::Open &box);
    void closed(int id, const QString &answer);

private:
    friend QMessageBox::StandardButton show(QWidget *, const QString &, QMessageBox::StandardButtons, Icon,
                                            const QString &);
    int add(QMessageBox *box, const Open &shown);
    void remove(int id, const QString &answer);

    struct Entry {
        Open shown;
        QPointer<QMessageBox> box;
    };
    std::map<int, Entry> open_;
    int lastId_ = 0;
};

}  // namespace msgbox
