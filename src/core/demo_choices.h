#pragma once
// The bundled demo's choices in a settings record: its folder as the data folders,
// its chimes for route set, keys, steps and announcements (by their sound marks), and
// the ticket preview open with its barcode ticket; the windows where start-up puts them. The demo settings file of the
// build tree and the first start of an installed program both start from these.
#include "core/ini_data.h"

#include <QString>

namespace demo_choices {

void apply(IniData &ini, const QString &demoDir);

}  // namespace demo_choices
