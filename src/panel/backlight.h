#pragma once
// The board's backlight: OFF, ON1 or ON2 changes the board's background picture
// (built-in, or a user file when the options say so) and the colour of the 32
// ticket-number labels. The control panel's backlight buttons and the options
// dialog's applyToWindows both come here.
#include <QImage>
#include <QString>

class Form1;
class Settings;

// 0 = OFF, 1 = ON1, 2 = ON2; any other value does nothing.
void applyBacklight(Form1 &board, const Settings &settings, int index);

namespace backlight {

// Reads a user panel picture: BMP, GIF or JPEG, judged by content. Returns 0 and
// fills `picture`, or the error number (53/75/76 unreachable, 481 not such a picture).
int loadPanelPicture(const QString &path, QImage &picture);

}  // namespace backlight
