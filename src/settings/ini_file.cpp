// Placeholder: the settings file module replaces this file.
#include "settings/ini_file.h"

namespace mdlIniIo {
void LoadIni() {}
void SaveIni() {}
}  // namespace mdlIniIo
