#pragma once
// Who the program is: its executable name (the model number), its title, where its
// settings live, and how it ends.
#include <QString>
#include <functional>

namespace program {

// Executable file name without extension, e.g. "207_000".
QString exeName();

// Title that message boxes without a title of their own show.
QString title();

// "major.minor.revision".
QString version();

// The settings file: --settings PATH when given, else beside the executable, else
// (folder not writable) the per-user configuration folder.
QString settingsPath();
void setSettingsPathOverride(const QString &path);

// Ends the program at once with the given status: no further close handlers run,
// only what was handed to atEnd (a recording closes its file).
[[noreturn]] void endNow(int status);
void atEnd(std::function<void()> finish);

}  // namespace program
