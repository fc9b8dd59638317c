#pragma once
// The settings file. load() reads it once at start-up into Settings (which tells the
// windows with its `loaded` signal); save() writes Settings into it at exit.
class Settings;

namespace settings_file {

void load(Settings &settings);
void save(const Settings &settings);

}  // namespace settings_file
