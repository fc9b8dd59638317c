// Settings survive a restart: every page of the real dialog, the panel, both windows,
// the custom colours and the digit records; the file matches the block tables.
#include "file_bytes.h"
#include "program_run.h"
#include "core/ini_codec.h"
#include "test_settings_reference.h"

#include <QDate>

namespace {

const char *kChangeEverything =
    "click frmCtl.Command4\n"
    // page 0: data folders; page 1: panel and ticket numbers
    "set frmOption.Text2(0) \"運賃データ\"\nset frmOption.Text2(1) /data/tape\n"
    "click frmOption.Option1(1)\nselect frmOption.Combo2 7\nset frmOption.Check2 1\n"
    "click frmOption.Option3(1)\nclick frmOption.Option3(6)\nset frmOption.txtSelectPanel(0) /x/off.bmp\n"
    "click frmOption.Option3(2)\nset frmOption.txtSelectPanel(1) /x/on1.jpg\nset frmOption.txtSelectPanel(2) /x/on2.gif\n"
    "click frmOption.Command5(1)\nset Qv3ChooseColor.Html \"#102030\"\nanswer AddCustom\nanswer OK\n"
    // page 2: digit parts and information numbers
    "click frmOption.Option1(2)\nclick frmOption.Check3(0)\nselect frmOption.Combo4(0) 5\nclick frmOption.Check3(4)\n"
    "click frmOption.Check3(2)\nselect frmOption.Combo4(2) 31\nclick frmOption.Check3(3)\n"
    "select frmOption.Combo4(4) 40\nselect frmOption.Combo4(3) 20\n"
    "click frmOption.Command8(2)\nset Qv3ChooseColor.Html \"#00ff00\"\nanswer OK\n"
    // page 3: stop-name display
    "click frmOption.Option1(3)\nselect frmOption.Combo3 2\nset frmOption.Check4 1\n"
    "click frmOption.Command9(0)\nset Qv3ChooseColor.Html \"#202020\"\nanswer OK\n"
    // page 4: sounds, both sub-pages
    "click frmOption.Option1(4)\nset frmOption.txtSelectSound(0) /s/route.wav\nset frmOption.txtSelectSound(1) /s/key.wav\n"
    "click frmOption.Option2(1)\nselect frmOption.Combo1 32\nset frmOption.txtSelectSound(7) /s/step.wav\n"
    "set frmOption.txtSelectSound(8) /s/1.wav\nset frmOption.txtSelectSound(9) /s/2.mp3\n"
    "set frmOption.txtSelectSound(10) /s/3.mid\nclick frmOption.Option6(0)\nclick frmOption.Option5(0)\n"
    "click frmOption.Option2(3)\nclick frmOption.Option7(1)\nset frmOption.txtSelectSound(3) /s/t.wav\n"
    "set frmOption.txtSelectSound(4) /s/t1.wav\nset frmOption.txtSelectSound(5) /s/t2.wav\n"
    "set frmOption.txtSelectSound(6) /s/t3.wav\n"
    // page 5: ticket preview
    "click frmOption.Option1(5)\nclick frmOption.chkUseSeiriPrev\nclick frmOption.Option4(2)\nclick frmOption.Command4\n"
    // the control panel and the board
    "set frmCtl.HScroll1(0) 321\nset frmCtl.HScroll1(1) 2500\nclick frmCtl.Check2\nclick frmCtl.Check4\n"
    "dblclick frmCtl.Frame1(0)\nclick frmCtl.Option4(1)\nmove frmCtl 40 50\ndrag Form1 30 20\n"
    "dblclick Form1.Degit(5)\nselect Call_dlg100.ZeroMode 3\nset Call_dlg100.FillZero 2\nset Call_dlg100.Shift 1\n"
    "answer OK\ndump @/before.json\nclose\nanswer Yes\n";

// What a restart must show beyond the file's bytes (a second exit writing the same
// bytes proves every control the save reads): the colours pushed into the board.
QJsonObject boardLook(const QJsonObject &dump) {
    QJsonObject degits = dump.value(QStringLiteral("degits")).toObject();
    for (const QString &key : degits.keys()) {
        QJsonObject d = degits.value(key).toObject();
        for (const char *volatileKey : {"Value", "lit"}) d.remove(QLatin1String(volatileKey));
        degits.insert(key, d);
    }
    QJsonObject chimei;
    for (const char *key : {"BackColor", "ForeColor", "FontMode", "FontBold", "Speed", "ScrollStartWait"})
        chimei.insert(QLatin1String(key), dump.value(QStringLiteral("chimei")).toObject().value(QLatin1String(key)));
    return {{"degits", degits}, {"chimei", chimei}};
}

// The record the script above must have produced, field by field.
IniData expectedRecord(int customSlot) {
    IniData d;
    d.dataDir = {QStringLiteral("運賃データ"), QStringLiteral("/data/tape")};
    d.panel = {1, {RGB(255, 255, 255), RGB(0x10, 0x20, 0x30), RGB(255, 192, 128)}, 7, 1,
               /*PanelAuto*/ 0, -1, /*Off*/ 0, -1, /*On1*/ 0, -1, /*On2*/ -1, 0,
               {QStringLiteral("/x/off.bmp"), QStringLiteral("/x/on1.jpg"), QStringLiteral("/x/on2.gif")}};
    d.degit = {RGB(128, 128, 128), RGB(150, 150, 150), RGB(0, 255, 0), 1, 5, 1, 0, 0, 1, 31, 1, 40, 20};
    d.chimei = {RGB(0x20, 0x20, 0x20), RGB(255, 255, 0), 2, 1};
    d.sound = {QStringLiteral("/s/route.wav"), QStringLiteral("/s/key.wav"), 0, -1, -1, 0, QStringLiteral("/s/step.wav"), 32,
               QStringLiteral("/s/1.wav"), QStringLiteral("/s/2.mp3"), QStringLiteral("/s/3.mid"), 0, -1, 0, -1,
               QStringLiteral("/s/t.wav"), QStringLiteral("/s/t1.wav"), QStringLiteral("/s/t2.wav"), QStringLiteral("/s/t3.wav")};
    d.seiriken = {1, QString(), 0, 0, -1, QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))};
    d.ctrl = {0, 321, 2500, 1, 1, 40 * 15, 50 * 15};
    d.form = {30 * 15, 20 * 15};
    d.CustColors.fill(0);
    if (customSlot >= 0) d.CustColors[static_cast<size_t>(customSlot)] = RGB(0x10, 0x20, 0x30);
    d.DegitSet.fill(DegitSetRecord{1, 3, 2});
    return d;
}

QByteArray settingsBytes(const QTemporaryDir &dir) {
    QFile file(dir.filePath(QStringLiteral("207_000.in4")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

}  // namespace

TEST(SettingsProgram, EverythingChangedComesBackAfterARestart) {
    QTemporaryDir dir;
    ProgramRun run = runProgram(dir, QString::fromUtf8(kChangeEverything));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    const QJsonObject before = readJson(dir.filePath(QStringLiteral("before.json")));

    // The file holds exactly what the block tables say for these values.
    const QByteArray bytes = settingsBytes(dir);
    const QJsonArray custom = before.value(QStringLiteral("customColors")).toArray();
    ASSERT_EQ(custom.size(), 17);
    int slot = -1;
    for (int i = 0; i < 17; ++i)
        if (custom[i].toInteger() != 0) slot = i;
    EXPECT_GE(slot, 0) << "the added custom colour";
    EXPECT_EQ(bytes.toHex().toStdString(), inicodec::encode(expectedRecord(slot)).toHex().toStdString());

    run = runProgram(dir, QStringLiteral("dump @/after.json\nquit\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_EQ(boardLook(readJson(dir.filePath(QStringLiteral("after.json")))), boardLook(before));
    // And a second exit writes the very same bytes.
    run = runProgram(dir, QStringLiteral("close\nanswer Yes\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_EQ(settingsBytes(dir).toHex().toStdString(), bytes.toHex().toStdString());
}

TEST(SettingsProgram, WindowsSavedOffEveryScreenComeBackWhereTheyCanBeReached) {
    QTemporaryDir dir;
    IniData saved;
    saved.ctrl.CtlLeft = 40000 * 15;  // a screen that is no longer there
    saved.ctrl.CtlTop = 30000 * 15;
    saved.form = {-9000 * 15, 200 * 15};
    saved.DegitSet.fill(DegitSetRecord{});
    writeBytes(dir.filePath(QStringLiteral("207_000.in4")), inicodec::encode(saved));
    const ProgramRun run = runProgram(dir, QStringLiteral("dump @/d.json\nquit\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    const QJsonObject d = readJson(dir.filePath(QStringLiteral("d.json")));
    expectHas(window(d, "Form1"), {{"left", 0}, {"top", 0}});
    const int panelLeft = window(d, "frmCtl").value(QStringLiteral("left")).toInt();
    EXPECT_LT(std::max(panelLeft, window(d, "frmCtl").value(QStringLiteral("top")).toInt()), 4000);
    EXPECT_GT(panelLeft, 0) << "start-up puts it at the bottom-right";
}
