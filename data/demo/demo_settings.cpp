// Writes the demo's settings file: built-in defaults, plus the ticket preview on with
// the bundled barcode ticket, so the demo shows a ticket from the first route set.
#include "app/board_layout.h"
#include "settings/ini_codec.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: demo_settings OUT.in4 PLUGIN\n");
        return 2;
    }
    IniData ini;
    // What the program shows without a settings file: labels on in their built-in
    // colours, the digit lists in front of the keypad.
    ini.panel.AutoSeiriNum = 1;
    ini.panel.SeiriNumColor = mdl207_000::kDefaultLabelColors;
    ini.ctrl.BackPanel = 1;
    ini.seiriken.UseSeiriPrev = 1;
    ini.seiriken.SeiriPlgPath = QString::fromLocal8Bit(argv[2]);  // relative to the demo folder
    ini.ctrl.PreviewOpen = 1;
    // Positions no screen shows: both windows stay where start-up puts them.
    ini.ctrl.CtlLeft = ini.ctrl.CtlTop = -1000000;
    ini.form.BoardLeft = ini.form.BoardTop = -1000000;
    QSaveFile f(QFile::decodeName(argv[1]));
    if (!f.open(QIODevice::WriteOnly) || f.write(inicodec::encode(ini)) < 0 || !f.commit()) {
        std::fprintf(stderr, "demo_settings: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
