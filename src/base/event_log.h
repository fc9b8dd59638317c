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

// Whether events are kept at all: the program keeps them only while a script runs
// (nothing else reads them). On by default.
void setKept(bool kept);
// At most `count` events are kept (100 000 unless changed); past it the older half
// goes, so a long scripted run cannot grow without end.
void setLimit(qsizetype count);

// Milliseconds since the program started.
qint64 elapsedMs();

}  // namespace events
