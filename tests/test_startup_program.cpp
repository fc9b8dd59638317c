// Start-up as a new user meets it, through the real program: a damaged settings file
// (its box answered by the script, the file kept beside), no sound without an operator,
// the digit lists' scroll bars, the widened panel on the screen, and the panel in front
// surviving restarts.
#include "dump_query.h"
#include "file_bytes.h"
#include "program_run.h"

#include <QFileInfo>

TEST(StartupProgram, DamagedSettingsListsPreviewAndPanelInFrontAcrossRestarts) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("207_000.in4"));
    writeBytes(settings, QByteArray());
    ProgramRun run = runProgram(dir, QStringLiteral(
        "answer OK\n"  // the settings box, already open before the windows show
        "wait 100\n"
        "dump @/start.json\n"
        "select frmCtl.List2(0) 0\n"
        "click frmCtl.Check4\n"
        "dump @/wide.json\n"
        "close\n"
        "answer Yes\n"));
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    const QJsonObject start = readJson(dir.filePath(QStringLiteral("start.json")));
    const QJsonArray messages = eventsOf(start, QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 1);
    const QString damaged = settings + QStringLiteral(".damaged");
    EXPECT_TRUE(at(messages, "0/text").toString().contains(damaged));
    EXPECT_TRUE(QFileInfo(damaged).isFile());
    EXPECT_TRUE(eventsOf(start, QStringLiteral("sound")).isEmpty()) << "nothing was clicked yet";
    for (const char *list : {"frmCtl.List2(0)", "frmCtl.List3(2)"})
        EXPECT_EQ(at(start, QStringLiteral("controls/%1/scrollBar").arg(QLatin1String(list))), true) << list;

    const QJsonObject wide = readJson(dir.filePath(QStringLiteral("wide.json")));
    EXPECT_EQ(eventsOf(wide, QStringLiteral("sound")).size(), 1) << "the first click on a digit chimes";
    // The panel started at the screen's right edge: widened, it moves left just enough.
    auto right = [](const QJsonObject &d) { return at(d, "windows/frmCtl/left").toInt() + at(d, "windows/frmCtl/width").toInt(); };
    EXPECT_EQ(at(wide, "windows/frmCtl/width"), 594);
    EXPECT_EQ(right(wide), right(start));

    // The lists were in front and stay so after the exit's save.
    run = runProgram(dir, QStringLiteral("dump @/again.json\nquit\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    const QJsonObject again = readJson(dir.filePath(QStringLiteral("again.json")));
    EXPECT_EQ(at(again, "controls/frmCtl.Frame1(0)/visible"), true);
    EXPECT_EQ(at(again, "controls/frmCtl.Frame1(1)/visible"), false);
}
