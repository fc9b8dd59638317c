#pragma once
// What happened while the program ran, in order: message boxes, dialogs, sounds,
// speech, settings loads and saves. The scripted operation's dump reports it, so
// that a test can see what the operator would have seen and heard.
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

namespace events {

// Appends one event; `ms` (milliseconds since start) and `kind` are added here.
void record(const QString &kind, QJsonObject fields = {});

// Every event so far, oldest first.
QJsonArray all();

// Milliseconds since the program started.
qint64 elapsedMs();

}  // namespace events
