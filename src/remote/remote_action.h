#pragma once
// An action asked for over the network, checked before anything is done: the body of
// POST /api/action or a control page's WebSocket message, {"action": NAME, ...}.
#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <optional>

namespace remote {

struct RemoteAction {
    QString name;               // one of actionNames()
    QString route, section;     // "route": digits as typed on the keypad
    int level = -1;             // "backlight": 0 OFF, 1 ON1, 2 ON2
    std::optional<bool> on;     // "blank", "lateNight": the state wanted; absent = press once
                                // "autoplay": on or off (required)
    int interval = 8;           // "autoplay": seconds between stops
    QString button;             // "answer": the message box's button ("OK", "Yes", ...)
    int pending = 0;            // "answer": the box's id; 0 = the newest open box
};

// route forward back blank lateNight backlight announceNext announceBack announceStop answer
const QStringList &actionNames();

// The action, or nullopt with `error` saying what is wrong with the body.
std::optional<RemoteAction> parseAction(const QByteArray &body, QString *error);

}  // namespace remote

Q_DECLARE_METATYPE(remote::RemoteAction)
