#pragma once
// The lines of the options dialog's plug-in property list (List1): what the chosen
// ticket plug-in can print, one capability a line.
#include "ticket/ticket_plugin.h"

#include <QStringList>

// Six lines, or ten when the plug-in prints barcodes. A capability is present only
// when its field is exactly 1; company switching when CorpCount is 1 or more.
QStringList plgInfoLines(const PlgInfo &info);
