#pragma once
// The route editor's message boxes, titled "路線データの編集" and recorded (text,
// buttons, answer) like every message box of the program.
#include <QList>
#include <QMessageBox>
#include <QString>

namespace route {

struct Choice {
    QString caption;  // as shown
    QString name;     // what a script may answer besides the caption ("Yes", "Cancel")
};

// Shows the box and returns the index of the button pressed (the last one when
// the box was closed otherwise).
int ask(QWidget *parent, QMessageBox::Icon icon, const QString &text, const QList<Choice> &choices, int defaultChoice = 0);
// A warning with one OK button.
void tell(QWidget *parent, const QString &text);

}  // namespace route
