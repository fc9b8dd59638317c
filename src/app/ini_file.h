#pragma once
// mdlIniIo: the settings file. LoadIni reads it once at start-up and pushes the values
// into the windows; SaveIni collects them from the windows and writes it at exit.
namespace mdlIniIo {
void LoadIni();
void SaveIni();
}  // namespace mdlIniIo
