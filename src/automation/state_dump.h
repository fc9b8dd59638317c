#pragma once
// The state dump: everything a test needs to see of the running program, as one
// JSON object (controls, windows, digit displays, ticket-number labels, stop-name
// display, what happened so far, the sections other parts register, processor time).
#include <QJsonObject>
#include <QList>
#include <QString>

class QObject;
class QWidget;

namespace automation {

// The windows the dump covers: Form1, frmCtl and frmOption whenever they exist, and
// every other named window (an open dialog) while it is shown.
QList<QWidget *> dumpedWindows();

// One control's entry (kind, caption or text, enabled, visible, position, value...).
QJsonObject controlState(const QObject *control);

// One window's entry (caption, left, top, client width and height, visible, enabled,
// frameless).
QJsonObject windowState(const QWidget *window);

// Processor time used by the program so far, user and system, in milliseconds.
qint64 cpuMilliseconds();

// The whole dump.
QJsonObject buildDump();

// Writes the dump as UTF-8 JSON; the file is replaced whole or not at all.
bool writeDump(const QString &path, QString *error);

}  // namespace automation
