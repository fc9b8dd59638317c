#pragma once
// Who the program is: its executable name (the model number), its title, where its
// settings live, and how it ends.
#include "base/program_paths.h"

#include <QString>

namespace program {

// Executable file name without extension, e.g. "207_000".
QString exeName();

// Title that message boxes without a title of their own show.
QString title();

// "major.minor.revision".
QString version();

// The settings file: --settings PATH when given, else beside the executable of a
// program run from its own folder, else (an installed program, or a folder not
// writable) the per-user configuration folder. See program_paths.h.
QString settingsPath();

// Every place the program uses, chosen once.
const program_paths::Paths &paths();
void setSettingsPathOverride(const QString &path);

// Ends the program at once with the given status: no further close handlers run.
[[noreturn]] void endNow(int status);

}  // namespace program
