#pragma once
// mdlIniIo: the settings file. LoadIni reads it once at start-up and pushes the values
// into the windows; SaveIni collects them from the windows and writes it at exit.
class Form1;
class FrmCtl;
class FrmOption;

namespace mdlIniIo {

// The windows whose controls hold the settings.
struct Holders {
    Form1 &board;
    FrmOption &options;
    FrmCtl &panel;
};

void LoadIni(const Holders &windows);
void SaveIni(const Holders &windows);

}  // namespace mdlIniIo
