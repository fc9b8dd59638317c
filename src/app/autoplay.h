#pragma once
// 自動運行: the trip runs by itself. After a route set it announces the next stop
// with 送り when an announcement list is loaded, else steps with データ送り; waits the
// interval after the sounds and speech have ended, and goes on. At the terminal it
// waits, sets the route again and starts over (or, once, stops there). It presses the
// panel's own buttons, so what is greyed stays out of reach and every pause holds it
// as it holds a person; any input of the operator switches it off.
#include <QJsonObject>

class QMenu;

namespace autoplay {

void start(int seconds, bool once = false);
void stop();
bool running();
// The board's menu entry "自動運行" (on / off).
void addMenuEntries(QMenu *menu);
// on, interval, once, presses (for the dump's `autoplay` section).
QJsonObject state();

}  // namespace autoplay
