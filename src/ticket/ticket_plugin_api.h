#pragma once
// The companion library's four ticket plug-in calls. A plug-in is read once when it
// is chosen (Qv4_GetPlgInfo) and kept; the other calls use the kept copy and read
// the file again only when it changed on disk since.
#include "ticket/ticket_plugin.h"

#include <QString>
#include <cstdint>

class QComboBox;
class QPaintDevice;
class QPlainTextEdit;

// Fills `info` and returns 1 for a valid plug-in; 0 (info untouched) for a path that
// is empty, missing, not a plug-in or damaged.
int Qv4_GetPlgInfo(const QString &path, PlgInfo &info);

// Writes the plug-in's remarks into the text box. 1 when done, 0 (box untouched) when
// the path is not a valid plug-in.
int Qv4_SetPlgComment(const QString &path, QPlainTextEdit *box);

// Adds the plug-in's company names to the list (whatever it held stays). 1 when done,
// 0 (list untouched) when the path is not a valid plug-in.
int Qv4_SetCorpAddList(const QString &path, QComboBox *list);

// Draws the ticket of one stop onto `dc` at its origin. The stop name and the date
// come back as the ticket printed them (a stop name cut to the plug-in's length; a
// value the plug-in does not print is left as it was). 1 when drawn, 0 when the path
// is not a valid plug-in (nothing drawn, nothing changed).
int Qv4_DrawSeiriken(const QString &path, QPaintDevice *dc, QString &stopName, QString &date, const QString &time,
                     std::int32_t routeNo, std::int32_t ticketNo, std::int32_t row, std::int32_t corpIndex);

namespace ticket {
// What the last Qv4_DrawSeiriken could not print (barcodes, background), for the log.
QStringList lastDrawProblems();
}  // namespace ticket
