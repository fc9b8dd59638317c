#include "core/demo_choices.h"

#include "core/seiriken_numbering.h"

#include <QDir>

namespace demo_choices {

void apply(IniData &ini, const QString &demoDir) {
    const QDir demo(QDir(demoDir).absolutePath());
    // A folder text ends without a separator; the route set adds one.
    ini.dataDir.FareDataDir = ini.dataDir.TapeDataDir = demo.path();
    // Ticket numbers on the board in the board's own colours, the digit lists in front.
    ini.panel.AutoSeiriNum = 1;
    ini.panel.SeiriNumColor = seiriken::kDefaultLabelColors;
    ini.ctrl.BackPanel = 1;
    // The look of a lit LED board: a black strip with amber dots, dark cells whose
    // unlit segments barely show, amber-orange lit segments.
    ini.chimei.ChimeiBackColor = RGB(0, 0, 0);
    ini.chimei.ChimeiForeColor = RGB(255, 150, 0);
    ini.degit.DegitBackColor = RGB(12, 12, 12);
    ini.degit.DegitBaseColor = RGB(40, 28, 16);
    ini.degit.DegitLitColor = RGB(255, 140, 0);
    ini.sound.RouteSetSound = demo.filePath(QStringLiteral("chime.mp3"));
    ini.sound.ResetSound = demo.filePath(QStringLiteral("key.wav"));
    ini.sound.StepSound = demo.filePath(QStringLiteral("step.mid"));
    ini.sound.TapeAlways = 0;
    ini.sound.TapeByFlag = -1;
    ini.sound.TapeSound = demo.filePath(QStringLiteral("chime.wav"));
    ini.sound.TapeSound1 = demo.filePath(QStringLiteral("chime.mp3"));
    ini.sound.TapeSound2 = demo.filePath(QStringLiteral("chime.wav"));
    ini.sound.TapeSound3 = demo.filePath(QStringLiteral("step.mid"));
    ini.seiriken.UseSeiriPrev = 1;
    ini.seiriken.SeiriPlgPath = demo.filePath(QStringLiteral("tickets/barcode.4SP"));
    ini.ctrl.PreviewOpen = 1;
    // Far off every screen: the windows keep the places start-up gives them.
    ini.ctrl.CtlLeft = ini.ctrl.CtlTop = -1000000;
}

}  // namespace demo_choices
