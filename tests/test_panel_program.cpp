// The control panel as the operator works it, through the real program: keypad, lists,
// panel swap, scroll bars, preview toggle, About box, digit settings, the exit question.
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
    const QJsonObject d = readJson(dir.filePath(QStringLiteral("keypad.json")));
    const QJsonObject back = readJson(dir.filePath(QStringLiteral("back.json")));
    // Each bar shows its value; the preview toggle comes back.
    const std::tuple<const QJsonObject *, const char *, QJsonObject> shown[] = {
        {&before, "Frame1(0)", {{"visible", true}}}, {&before, "Frame1(1)", {{"visible", false}}},
        {&before, "Command2(0)", {{"enabled", false}}}, {&before, "Command2(1)", {{"enabled", false}}},
        {&before, "Check1", {{"enabled", false}}}, {&before, "List2(0)", {{"index", -1}}},
        {&d, "Frame1(0)", {{"visible", false}}}, {&d, "Frame1(1)", {{"visible", true}}},
        {&d, "Label2(0)", {{"caption", "00012"}}}, {&d, "Label2(2)", {{"caption", "999"}}}, {&d, "List2(3)", {{"index", 4}}},
        {&d, "Label1(0)", {{"caption", "250"}}}, {&d, "Label1(1)", {{"caption", "1200"}}},
        {&back, "Frame1(0)", {{"visible", true}}}};
    for (const auto &[dump, name, want] : shown) expectHas(control(*dump, QStringLiteral("frmCtl.") + QLatin1String(name)), want, name);

    // One key sound per list click and per key, also for the ignored digits.
    const QJsonArray sounds = eventsOf(d, QStringLiteral("sound"));
    EXPECT_EQ(sounds.size(), 1 + 13);
    for (const QJsonValue &s : sounds) EXPECT_EQ(s.toObject().value(QStringLiteral("channel")).toString(), QStringLiteral("S1"));
    // Both bar values reach the stop-name display on every change.
    expectHas(d.value(QStringLiteral("chimei")).toObject(), {{"Speed", 250}, {"ScrollStartWait", 1200}});

    // The preview toggle widens the panel, its left edge staying put, and back.
    const QJsonValue left = window(before, "frmCtl").value(QStringLiteral("left"));
    expectHas(window(before, "frmCtl"), {{"width", 353}});
    expectHas(window(d, "frmCtl"), {{"width", 594}, {"left", left}});
    expectHas(window(back, "frmCtl"), {{"width", 353}});
}

TEST(PanelProgram, AboutBoxAndDigitSettingsOfTheBoard) {
    QTemporaryDir dir;
    const QString settings = QStringLiteral("dblclick Form1.Degit(7)\nselect Call_dlg100.ZeroMode 1\nset Call_dlg100.FillZero 3\n");
    const ProgramRun run = runProgram(dir, QStringLiteral(
        "prop Form1.Degit(3) Value 5\nprop Form1.Degit(4) Value 0\n"
        "prop Form1.Degit(6) Value 2.5\n"  // a number, as an unquoted fraction is
        "click frmCtl.Command8\nanswer OK\n"
        "%1answer Cancel\ndump cancelled.json\n"
        "%1set Call_dlg100.Shift 1\nanswer OK\ndump confirmed.json\n"
        "prop Form1.Degit(7) UserSet false\n"
        "dblclick Form1.Degit(7)\n"        // UserSet false: no dialog
        "dump last.json\n").arg(settings));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    const QJsonObject cancelled = readJson(dir.filePath(QStringLiteral("cancelled.json")));
    const QJsonArray dialogs = eventsOf(cancelled, QStringLiteral("dialog"));
    ASSERT_EQ(dialogs.size(), 2);
    const QString about = dialogs[0].toObject().value(QStringLiteral("text")).toString();
    EXPECT_TRUE(about.startsWith(QStringLiteral("型番：207_000\r\nバージョン："))) << qPrintable(about);
    EXPECT_EQ(about.count(QStringLiteral("\r\n")), 5);
    const QJsonObject degits = cancelled.value(QStringLiteral("degits")).toObject();
    EXPECT_EQ(degits.value(QStringLiteral("Form1.Degit(7)")).toObject().value(QStringLiteral("ZeroMode")).toInt(), 0);

    // Confirmed on display 7: all 32 take its settings and redraw their own values.
    const QJsonObject confirmed = readJson(dir.filePath(QStringLiteral("confirmed.json")));
    for (const QJsonObject *dump : {&cancelled, &confirmed})
        for (const char *name : {"Form1", "frmCtl"}) expectHas(window(*dump, name), {{"enabled", true}}, name);
    const QJsonObject after = confirmed.value(QStringLiteral("degits")).toObject();
    auto degit = [&](int i) { return after.value(QStringLiteral("Form1.Degit(%1)").arg(i)).toObject(); };
    for (int i = 1; i <= 32; ++i) expectHas(degit(i), {{"ZeroMode", 1}, {"FillZero", 3}, {"Shift", 1}});
    expectHas(degit(3), {{"lit", "005 "}});
    expectHas(degit(4), {{"lit", "000 "}});
    expectHas(degit(6), {{"Value", 2.5}});

    const QJsonObject last = readJson(dir.filePath(QStringLiteral("last.json")));
    EXPECT_EQ(eventsOf(last, QStringLiteral("dialog")).size(), 3);
}

TEST(PanelProgram, ExitQuestionNoKeepsRunningYesSavesAndEnds) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("207_000.in4"));
    ProgramRun run = runProgram(dir, QStringLiteral(
        "close\nanswer No\n"
        "call Form1 close\nanswer No\n"  // closing the board asks the same question
        "dump after_no.json\nquit\n"));
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
    run = runProgram(dir, QStringLiteral("close\nanswer Yes\nwait 2000\ndump never.json\n"));
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_TRUE(QFileInfo::exists(settings));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("never.json"))));
}
