#pragma once
// Runs of the real program on the demo routes, and the operator steps they begin with.
#include "core/ini_codec.h"
#include "file_bytes.h"
#include "program_run.h"

inline QString demoDir() { return QStringLiteral(MITRA_BINARY_DIR "/demo"); }

// The keypad's keys pressed in order (10 系統, 11 区間), after bringing it to the front.
inline QString keypad(std::initializer_list<int> keys, bool toFront = true) {
    QString script = toFront ? QStringLiteral("dblclick frmCtl.Frame1(0)\n") : QString();
    for (const int key : keys) script += QStringLiteral("click frmCtl.CommandButton1(%1)\n").arg(key);
    return script;
}

// Route 1 from section 1 in the digit lists, set, and the route-selecting pause over.
inline const QString kListRouteSet =
    QStringLiteral("select frmCtl.List2(4) 1\nselect frmCtl.List3(2) 1\nclick frmCtl.Command1(0)\nidle\n");

// A settings file with the ticket preview on `plugin`, the digit lists in front and
// both windows where start-up puts them.
inline void writePreviewSettings(const QTemporaryDir &dir, const QString &plugin, const QString &tapeFolder = QString()) {
    IniData ini;
    ini.seiriken.UseSeiriPrev = 1;
    ini.seiriken.SeiriPlgPath = plugin;
    if (!tapeFolder.isEmpty()) ini.dataDir = {demoDir(), tapeFolder};
    ini.ctrl.BackPanel = 1;
    ini.ctrl.CtlLeft = ini.ctrl.CtlTop = ini.form.BoardLeft = ini.form.BoardTop = -1000000;
    writeBytes(dir.filePath(QStringLiteral("207_000.in4")), inicodec::encode(ini));
}
