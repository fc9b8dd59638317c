// The control panel as the operator works it, through the real program: keypad,
// digit lists, the entry-panel swap, the scroll bars, the preview toggle, the About
// box, the digit settings of the board, and both answers to the exit question.
#include "demo_run.h"

#include <QFileInfo>

TEST(PanelProgram, KeypadListsPanelSwapAndScrollBars) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir, QStringLiteral(
        "move frmCtl 10 10\n"             // room to widen: the left edge stays
        "dump before.json\n"
        "select frmCtl.List2(3) 4\n"       // a list click only plays the key sound
        "%1"  // the lists go behind; a digit before 系統 or 区間 goes to the section, a sixth route digit is ignored
        "set frmCtl.HScroll1(0) 250\n"
        "set frmCtl.HScroll1(1) 1200\n"
        "click frmCtl.Check4\n"
        "dump keypad.json\n"
        "dblclick frmCtl.Frame1(1)\n"      // and back to the lists
        "click frmCtl.Check4\n"
        "dump back.json\n").arg(keypad({7, 10, 0, 0, 0, 1, 2, 3, 11, 9, 9, 9, 9})));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    const QJsonObject before = readJson(dir.filePath(QStringLiteral("before.json")));
    EXPECT_TRUE(control(before, QStringLiteral("frmCtl.Frame1(0)")).value(QStringLiteral("visible")).toBool());
    EXPECT_FALSE(control(before, QStringLiteral("frmCtl.Frame1(1)")).value(QStringLiteral("visible")).toBool());
    for (const char *name : {"frmCtl.Command2(0)", "frmCtl.Command2(1)", "frmCtl.Check1"})
        EXPECT_FALSE(control(before, QLatin1String(name)).value(QStringLiteral("enabled")).toBool()) << name;
    EXPECT_EQ(control(before, QStringLiteral("frmCtl.List2(0)")).value(QStringLiteral("index")).toInt(), -1);

    const QJsonObject d = readJson(dir.filePath(QStringLiteral("keypad.json")));
    EXPECT_FALSE(control(d, QStringLiteral("frmCtl.Frame1(0)")).value(QStringLiteral("visible")).toBool());
    EXPECT_TRUE(control(d, QStringLiteral("frmCtl.Frame1(1)")).value(QStringLiteral("visible")).toBool());
    EXPECT_EQ(control(d, QStringLiteral("frmCtl.Label2(0)")).value(QStringLiteral("caption")).toString(), QStringLiteral("00012"));
    EXPECT_EQ(control(d, QStringLiteral("frmCtl.Label2(2)")).value(QStringLiteral("caption")).toString(), QStringLiteral("999"));
    EXPECT_EQ(control(d, QStringLiteral("frmCtl.List2(3)")).value(QStringLiteral("index")).toInt(), 4);

    // One key sound per list click and per key, also for the ignored digits.
    const QJsonArray sounds = eventsOf(d, QStringLiteral("sound"));
    EXPECT_EQ(sounds.size(), 1 + 13);
    for (const QJsonValue &s : sounds) EXPECT_EQ(s.toObject().value(QStringLiteral("channel")).toString(), QStringLiteral("S1"));

    // Each bar shows its value, and both values reach the stop-name display on every change.
    expectHas(control(d, QStringLiteral("frmCtl.Label1(0)")), {{"caption", "250"}});
    expectHas(control(d, QStringLiteral("frmCtl.Label1(1)")), {{"caption", "1200"}});
    expectHas(d.value(QStringLiteral("chimei")).toObject(), {{"Speed", 250}, {"ScrollStartWait", 1200}});

    // The preview toggle widens the panel, its left edge staying put, and back.
    const QJsonObject back = readJson(dir.filePath(QStringLiteral("back.json")));
    EXPECT_TRUE(control(back, QStringLiteral("frmCtl.Frame1(0)")).value(QStringLiteral("visible")).toBool());
    const QJsonObject narrow = window(before, "frmCtl"), wide = window(d, "frmCtl");
    EXPECT_EQ(wide.value(QStringLiteral("width")).toInt(), 594);
    EXPECT_EQ(narrow.value(QStringLiteral("width")).toInt(), 353);
    EXPECT_EQ(wide.value(QStringLiteral("left")), narrow.value(QStringLiteral("left")));
    EXPECT_EQ(window(back, "frmCtl").value(QStringLiteral("width")).toInt(), 353);
}

TEST(PanelProgram, AboutBoxAndDigitSettingsOfTheBoard) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir, QStringLiteral(
        "prop Form1.Degit(3) Value 5\n"
        "prop Form1.Degit(4) Value 0\n"
        "prop Form1.Degit(6) Value 2.5\n"  // a number, as an unquoted fraction is
        "click frmCtl.Command8\n"
        "answer OK\n"
        "dblclick Form1.Degit(7)\n"
        "select Call_dlg100.ZeroMode 1\n"
        "set Call_dlg100.FillZero 3\n"
        "answer Cancel\n"
        "dump cancelled.json\n"
        "dblclick Form1.Degit(7)\n"
        "select Call_dlg100.ZeroMode 1\n"
        "set Call_dlg100.FillZero 3\n"
        "set Call_dlg100.Shift 1\n"
        "answer OK\n"
        "dump confirmed.json\n"
        "prop Form1.Degit(7) UserSet false\n"
        "dblclick Form1.Degit(7)\n"        // UserSet false: no dialog
        "dump last.json\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    const QJsonObject cancelled = readJson(dir.filePath(QStringLiteral("cancelled.json")));
    const QJsonArray dialogs = eventsOf(cancelled, QStringLiteral("dialog"));
    ASSERT_EQ(dialogs.size(), 2);
    const QString about = dialogs[0].toObject().value(QStringLiteral("text")).toString();
    EXPECT_TRUE(about.startsWith(QStringLiteral("型番：207_000\r\nバージョン："))) << qPrintable(about);
    EXPECT_EQ(about.count(QStringLiteral("\r\n")), 5);
    EXPECT_TRUE(window(cancelled, "Form1").value(QStringLiteral("enabled")).toBool());
    const QJsonObject degits = cancelled.value(QStringLiteral("degits")).toObject();
    EXPECT_EQ(degits.value(QStringLiteral("Form1.Degit(7)")).toObject().value(QStringLiteral("ZeroMode")).toInt(), 0);
    EXPECT_TRUE(window(cancelled, "frmCtl").value(QStringLiteral("enabled")).toBool());

    // Confirmed on display 7: all 32 take its settings and redraw their own values.
    const QJsonObject confirmed = readJson(dir.filePath(QStringLiteral("confirmed.json")));
    const QJsonObject after = confirmed.value(QStringLiteral("degits")).toObject();
    for (int i = 1; i <= 32; ++i)
        expectHas(after.value(QStringLiteral("Form1.Degit(%1)").arg(i)).toObject(), {{"ZeroMode", 1}, {"FillZero", 3}, {"Shift", 1}});
    EXPECT_EQ(after.value(QStringLiteral("Form1.Degit(3)")).toObject().value(QStringLiteral("lit")).toString(), QStringLiteral("005 "));
    EXPECT_EQ(after.value(QStringLiteral("Form1.Degit(4)")).toObject().value(QStringLiteral("lit")).toString(), QStringLiteral("000 "));
    EXPECT_EQ(after.value(QStringLiteral("Form1.Degit(6)")).toObject().value(QStringLiteral("Value")), QJsonValue(2.5));
    EXPECT_TRUE(window(confirmed, "frmCtl").value(QStringLiteral("enabled")).toBool());

    const QJsonObject last = readJson(dir.filePath(QStringLiteral("last.json")));
    EXPECT_EQ(eventsOf(last, QStringLiteral("dialog")).size(), 3);
}

TEST(PanelProgram, ExitQuestionNoKeepsRunningYesSavesAndEnds) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("207_000.in4"));
    ProgramRun run = runProgram(dir, QStringLiteral(
        "close\n"
        "answer No\n"
        "call Form1 close\n"  // closing the board asks the same question
        "answer No\n"
        "dump after_no.json\n"
        "quit\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    const QJsonObject afterNo = readJson(dir.filePath(QStringLiteral("after_no.json")));
    const QJsonArray messages = eventsOf(afterNo, QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1].toObject().value(QStringLiteral("text")), messages[0].toObject().value(QStringLiteral("text")));
    expectHas(messages[0].toObject(), {{"text", "ミトラを終了しますか？"}, {"title", "ミトラの終了確認"}, {"icon", "question"}, {"answer", "No"}});
    EXPECT_TRUE(window(afterNo, "Form1").value(QStringLiteral("visible")).toBool() && window(afterNo, "frmCtl").value(QStringLiteral("visible")).toBool());
    EXPECT_FALSE(QFileInfo::exists(settings)) << "No saves nothing";

    // Yes ends the program at once, after the settings are written (what a restart
    // reads back is the settings tests' own); the script's remaining lines never run.
    run = runProgram(dir, QStringLiteral(
        "close\n"
        "answer Yes\n"
        "wait 2000\n"
        "dump never.json\n"));
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_TRUE(QFileInfo::exists(settings));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("never.json"))));
}
