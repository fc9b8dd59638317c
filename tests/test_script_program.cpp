// The real program driven by scripts: how it ends, what a fault says, and the dump
// of the windows as they come up at start-up.
#include "program_run.h"

#include <QImage>

TEST(ScriptProgram, DumpDescribesTheWindowsAfterStartUp) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir, QStringLiteral(
        "# relative file names are taken from the working folder\n"
        "call Form1.ChimeiCtl SetChimei \"市役所前\"\n"
        "prop Form1.Degit(1) ZeroMode 2\n"
        "dump start.json\n"
        "grab Form1 board.png\n"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_TRUE(run.errors.isEmpty()) << qPrintable(run.errors);

    const QJsonObject d = readJson(dir.filePath(QStringLiteral("start.json")));
    expectHas(window(d, "Form1"), {{"left", 0}, {"top", 0}, {"width", 564}, {"height", 234}, {"frameless", true}, {"visible", true}});
    EXPECT_TRUE(window(d, "Form1").value(QStringLiteral("caption")).toString().endsWith(QStringLiteral("207_000")));
    EXPECT_EQ(window(d, "frmCtl").value(QStringLiteral("visible")), QJsonValue(true));
    EXPECT_EQ(window(d, "frmOption").value(QStringLiteral("visible")), QJsonValue(false));

    // The ticket-number labels after the default numbering "1,2,3...": white, bold
    // 11.25 pt, label 1 set to 11 pt by the numbering.
    const QJsonObject labels = d.value(QStringLiteral("labels")).toObject();
    for (int i : {1, 32})
        expectHas(labels.value(QStringLiteral("Form1.lblSeiriNum(%1)").arg(i)).toObject(),
                  {{"caption", i == 1 ? "１" : "３２"}, {"ForeColor", 0xFFFFFF}, {"fontName", "ＭＳ Ｐゴシック"}, {"fontSize", i == 1 ? 11.0 : 11.25}});

    const QJsonObject degits = d.value(QStringLiteral("degits")).toObject();
    for (int i = 0; i <= 32; ++i) EXPECT_TRUE(degits.contains(QStringLiteral("Form1.Degit(%1)").arg(i))) << i;
    EXPECT_TRUE(degits.contains(QStringLiteral("Form1.TimeDegit(1)")));
    EXPECT_EQ(degits.value(QStringLiteral("Form1.Degit(1)")).toObject().value(QStringLiteral("ZeroMode")), QJsonValue(2));
    expectHas(control(d, QStringLiteral("Form1.Degit(5)")), {{"left", 314}, {"top", 40}});  // 4710 and 600 twips
    EXPECT_EQ(control(d, QStringLiteral("Form1.Degit(0)")).value(QStringLiteral("visible")), QJsonValue(false));
    EXPECT_EQ(control(d, QStringLiteral("Form1.Timer1")).value(QStringLiteral("enabled")), QJsonValue(true));
    EXPECT_EQ(d.value(QStringLiteral("chimei")).toObject().value(QStringLiteral("text")).toString(), QStringLiteral("市役所前"));

    const QImage picture(dir.filePath(QStringLiteral("board.png")));
    EXPECT_EQ(picture.size(), QSize(564, 234));
}

TEST(ScriptProgram, FaultsStopWithTheLineAndStatusTwo) {
    // Which faults there are is the parser's and the runner's own; here, how the program
    // ends on one: checked before anything runs (line 1's dump never happens), found
    // when the line runs, or a script file that cannot be read or decoded (line 0).
    QTemporaryDir dir;
    QFile bad(dir.filePath(QStringLiteral("bad.script")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("dump d.json\n\xff\xfe\n");
    bad.close();
    const std::tuple<const char *, const char *, const char *, bool> cases[] = {
        {"dump d.json\n\nfrobnicate\n", nullptr, "script:3: unknown command \"frobnicate\"", false},
        {"dump d.json\nclick frmCtl.NoSuchButton(3)\n", nullptr, "script:2: unknown control frmCtl.NoSuchButton(3)", true},
        {nullptr, "missing.script", "script:0: cannot read script", false},
        {nullptr, "bad.script", "script:0: ", false},
    };
    for (const auto &[script, file, message, dumpWritten] : cases) {
        QFile::remove(dir.filePath(QStringLiteral("d.json")));
        const ProgramRun run = script ? runProgram(dir, QString::fromUtf8(script))
                                      : runProgram(dir, QString(), QString::fromLatin1(file));
        ASSERT_TRUE(run.finished) << message;
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_TRUE(run.errors.startsWith(QString::fromUtf8(message))) << message << " gave " << qPrintable(run.errors);
        EXPECT_EQ(QFile::exists(dir.filePath(QStringLiteral("d.json"))), dumpWritten) << message;
    }
}

TEST(ScriptProgram, QuitEndsAtOnceWithZeroAndWritesNoSettings) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir, QStringLiteral("wait 10\nquit\ndump after.json\n"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.errors.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("after.json"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("207_000.in4"))));
}
