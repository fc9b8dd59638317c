#pragma once
// Recording the board and the program's sound into a video file: started from the
// board's menu, the command line or a script; the panel shows a red dot and the time
// while it runs. A fault (a full disk) ends it with a message; the program goes on.
#include <QString>

class QMenu;

namespace recording {

struct Options {
    double zoom = 0;  // 0: the board's view's own scale
    int fps = 30;
};
void setOptions(const Options &options);

// False, with `error` saying why, when the file cannot be made.
bool start(const QString &path, QString *error);
void stop();
bool active();

// The board's menu entries "録画開始..." / "録画停止".
void addMenuEntries(QMenu *menu);

// The file name the dialog offers: the route and the time, in the current folder.
QString defaultFileName();

}  // namespace recording
