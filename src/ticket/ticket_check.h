#pragma once
// Everything a ticket designer should know about a plug-in file: what the reader
// refuses or leaves out, and what reads but will not print as meant (fonts that are
// not installed, pictures that cannot be read, barcode data the symbology cannot
// encode, items beyond the ticket's edge, placeholders the plug-in may not print).
#include "ticket/ticket_plugin.h"

#include <vector>

namespace ticket {

// Needs a running QGuiApplication (fonts are looked up).
std::vector<Problem> checkPluginFile(const QString &path);

}  // namespace ticket
