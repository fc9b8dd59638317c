#pragma once
// Every message box of the program goes through here: it shows the words exactly as
// given, with the program's title when none is given, and records what was shown
// and which button answered it.
#include <QMessageBox>
#include <QString>

namespace msgbox {

enum class Icon { None, Information, Question, Warning, Critical };

// Shows a modal message box and returns the button pressed.
QMessageBox::StandardButton show(QWidget *parent, const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 Icon icon = Icon::None, const QString &title = QString());

}  // namespace msgbox
