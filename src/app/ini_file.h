#pragma once
// mdlIniIo: the settings file. LoadIni reads it once at start-up into Settings (which
// tells the windows with its `loaded` signal); SaveIni writes Settings into it at exit.
class Settings;

namespace mdlIniIo {

void LoadIni(Settings &settings);
void SaveIni(const Settings &settings);

}  // namespace mdlIniIo
