// demo_settings OUT.in4 SOUNDDIR: the program's default settings with the demo
// sounds of SOUNDDIR chosen: the chime for a route set and before announcements
// (by the announcement's sound mark), the key click for keys and lists, the step
// sound for every step; and the ticket preview, open and on, with the barcode ticket
// plug-in of SOUNDDIR/tickets.
#include "app/board_layout.h"
#include "core/ini_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: demo_settings OUT.in4 SOUNDDIR\n");
        return 2;
    }
    const QDir sounds(QDir(args.at(2)).absolutePath());
    IniData ini;
    // What a first start without a settings file shows: ticket numbers on the board in
    // the board's own colours, the digit lists in front.
    ini.panel.AutoSeiriNum = 1;
    ini.panel.SeiriNumColor = mdl207_000::kDefaultLabelColors;
    ini.ctrl.BackPanel = 1;
    ini.sound.RouteSetSound = sounds.filePath(QStringLiteral("chime.mp3"));
    ini.sound.ResetSound = sounds.filePath(QStringLiteral("key.wav"));
    ini.sound.StepSound = sounds.filePath(QStringLiteral("step.mid"));
    ini.sound.TapeAlways = 0;
    ini.sound.TapeByFlag = -1;
    ini.sound.TapeSound = sounds.filePath(QStringLiteral("chime.wav"));
    ini.sound.TapeSound1 = sounds.filePath(QStringLiteral("chime.mp3"));
    ini.sound.TapeSound2 = sounds.filePath(QStringLiteral("chime.wav"));
    ini.sound.TapeSound3 = sounds.filePath(QStringLiteral("step.mid"));
    ini.seiriken.UseSeiriPrev = 1;
    ini.seiriken.SeiriPlgPath = sounds.filePath(QStringLiteral("tickets/barcode.4SP"));
    ini.ctrl.PreviewOpen = 1;
    // Far off every screen: the windows keep the places start-up gives them.
    ini.ctrl.CtlLeft = ini.ctrl.CtlTop = -1000000;
    QSaveFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly) || out.write(inicodec::encode(ini)) < 0 || !out.commit()) {
        std::fprintf(stderr, "demo_settings: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
