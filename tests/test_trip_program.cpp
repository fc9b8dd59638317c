// A trip over the bundled demo route through the real program: route set, the
// route-selecting state, stepping, blanking, late-night fares, an information number
// and the step sound chosen from the new row; and route sets that are refused.
#include "demo_run.h"
#include "dump_query.h"

namespace {

QJsonValue degit(const QJsonObject &dump, int i, const char *key) {
    return at(dump, QStringLiteral("degits/Form1.Degit(%1)/%2").arg(i).arg(QLatin1String(key)));
}
QString lit(const QJsonObject &dump, int i) { return degit(dump, i, "lit").toString(); }

}  // namespace

TEST(TripProgram, DemoRouteStepBlankLateNightAndInformationNumber) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir,
        QStringLiteral("select frmCtl.List2(0) 0\n"
                       "select frmCtl.List2(1) 0\n"
                       "select frmCtl.List2(2) 0\n"
                       "select frmCtl.List2(3) 0\n"
                       "select frmCtl.List2(4) 1\n"
                       "select frmCtl.List3(2) 1\n"
                       "click frmCtl.Command1(0)\n"
                       "dump @/selecting.json\n"  // runs during the route-selecting pause
                       "idle\n"                    // until the pause is over
                       "dump @/start.json\n"
                       "grab Form1 @/start.png\n") +
            QStringLiteral("click frmCtl.Command2(1)\n").repeated(10) + QStringLiteral("click frmCtl.Command2(0)\n").repeated(3) +
            QStringLiteral("dump @/stepped.json\n"
                           "click frmCtl.Check1\n"
                           "click frmCtl.Command4\n"   // the options stay usable while blank,
                           "click frmOption.Command4\n" // and closing them keeps the strip blank
                           "dump @/blank.json\n"
                           "click frmCtl.Command2(1)\n"  // locked while blank
                           "click frmCtl.Check1\n"
                           "click frmCtl.Check2\n"
                           "click frmCtl.Command4\n"
                           "click frmOption.Option1(2)\n"
                           "click frmOption.Check3(0)\n"
                           "select frmOption.Combo4(0) 31\n"
                           "click frmOption.Option1(4)\n"
                           "click frmOption.Option2(1)\n"
                           "select frmOption.Combo1 32\n"
                           "set frmOption.txtSelectSound(9) /tmp/two.wav\n"
                           "click frmOption.Command4\n"
                           "click frmCtl.Command2(1)\n"
                           "dump @/final.json\n"
                           "grab Form1 @/final.png\n"),
        QStringLiteral("t.script"), demoDir());
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    const QJsonObject selecting = readJson(dir.filePath(QStringLiteral("selecting.json")));
    EXPECT_EQ(at(selecting, "chimei/text"), "系統選別中");
    for (int i = 1; i <= 32; ++i) EXPECT_EQ(lit(selecting, i), QStringLiteral("8888")) << i;

    // Route 1 from section 1: the first stop, nobody owes a fare yet.
    const QJsonObject start = readJson(dir.filePath(QStringLiteral("start.json")));
    expectHas(at(start, "trip").toObject(), {{"RouteNo", "00001"}, {"RowCount", 33}, {"CurIndex", 0}});
    EXPECT_EQ(at(start, "trip/TicketDate").toString().size(), 10);
    EXPECT_EQ(at(start, "chimei/text"), "中央駅前");
    EXPECT_EQ(degit(start, 1, "Value"), 0);
    for (const char *name : {"frmCtl.Command2(0)", "frmCtl.Command2(1)", "frmCtl.Check1"})
        EXPECT_TRUE(control(start, QLatin1String(name)).value(QStringLiteral("enabled")).toBool()) << name;

    // Ten forward, three back: row 8, 東町.
    const QJsonObject stepped = readJson(dir.filePath(QStringLiteral("stepped.json")));
    EXPECT_EQ(at(stepped, "trip/CurIndex"), 7);
    expectHas(at(stepped, "fareRow").toObject(), {{"StopName", "東町"}, {"TicketNo", 8}});
    EXPECT_EQ(at(stepped, "fareRow/Cell").toArray().size(), 150);
    const int fares8[8] = {210, 190, 190, 170, 170, 170, 170, 0};
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(degit(stepped, i, "Value"), fares8[i - 1]) << i;
    EXPECT_EQ(lit(stepped, 1), QStringLiteral("210"));
    EXPECT_EQ(lit(stepped, 8), QString()) << "a fare of 0 shows nothing";
    EXPECT_EQ(eventsOf(stepped, QStringLiteral("sound")).size(), 6 + 1 + 13);  // lists, route set, steps

    // Blank: every display and the strip empty, stepping and entry locked.
    const QJsonObject blank = readJson(dir.filePath(QStringLiteral("blank.json")));
    for (int i = 1; i <= 32; ++i) EXPECT_EQ(lit(blank, i), QString()) << i;
    EXPECT_EQ(at(blank, "chimei/text"), "");
    for (const char *name : {"frmCtl.Frame1(0)", "frmCtl.Command2(0)", "frmCtl.Command2(1)", "frmCtl.Frame6", "frmCtl.grpM_Tape"})
        EXPECT_FALSE(control(blank, QLatin1String(name)).value(QStringLiteral("enabled")).toBool()) << name;
    EXPECT_EQ(at(blank, "controls/frmCtl.Command4/enabled"), true);

    // Un-blanked, late-night on, stop order in cell 32, the sound chosen by column 33;
    // one step forward: row 9 市民病院前 (column 33 holds 2).
    const QJsonObject fin = readJson(dir.filePath(QStringLiteral("final.json")));
    EXPECT_EQ(at(fin, "trip/CurIndex"), 8);
    const int night9[8] = {420, 420, 380, 380, 340, 340, 340, 340};
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(degit(fin, i, "Value"), night9[i - 1]) << i;
    EXPECT_EQ(degit(fin, 32, "Value"), 9) << "row number, never doubled";
    EXPECT_EQ(lit(fin, 32), QStringLiteral("9"));
    const QJsonArray sounds = eventsOf(fin, QStringLiteral("sound"));
    expectHas(sounds.last().toObject(), {{"channel", "S2"}, {"file", "/tmp/two.wav"}, {"sync", false}});
    EXPECT_EQ(sounds.size(), 20 + 1) << "the step while blank did nothing";
    EXPECT_EQ(at(fin, "chimei/text"), "市民病院前");
}

// The rules of refusal are the route set's own; here, that the panel leaves the trip,
// its table and the board alone and says so in the program's box.
TEST(TripProgram, RefusedRouteSetKeepsThePreviousTrip) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir, QStringLiteral(
        "%1click frmCtl.Command1(1)\n"        // route 2 from section 3
        "click frmCtl.Command2(1)\n"
        "click frmCtl.cmdTapeNext\n"
        "dump @/loaded.json\n"
        "%2click frmCtl.Command1(1)\n"        // no route 99
        "answer OK\n"
        "dump @/refused.json\n").arg(keypad({10, 2, 11, 3}), keypad({10, 9, 9}, false)),
        QStringLiteral("t.script"), demoDir());
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    const QJsonObject loaded = readJson(dir.filePath(QStringLiteral("loaded.json")));
    EXPECT_EQ(at(loaded, "trip/CurIndex"), 3);
    const QJsonObject refused = readJson(dir.filePath(QStringLiteral("refused.json")));
    const QJsonArray messages = eventsOf(refused, QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 1);
    expectHas(messages[0].toObject(), {{"text", "指定した系統のデータがありません..."}, {"title", "ミトラ"}});
    // The trip, the announcement list, its position and its frame, the fare row and the
    // board stay as they were, and the keypad shows the route that runs on; standard
    // error names the file looked for.
    for (const char *key : {"trip", "tape", "fareRow"}) EXPECT_EQ(refused.value(QLatin1String(key)), loaded.value(QLatin1String(key))) << key;
    EXPECT_EQ(at(refused, "tape/TapePos"), 1);
    // 送り's tool tip shows what it will say next: entry 2 of the list.
    ASSERT_GE(at(loaded, "tape/entries").toArray().size(), 2);
    EXPECT_EQ(at(loaded, "controls/frmCtl.cmdTapeNext/toolTip"), at(loaded, "tape/entries/1/Text"));
    for (const char *name : {"frmCtl.grpM_Tape", "frmCtl.cmdTapeNext", "frmCtl.cmdTapeBack"})
        EXPECT_EQ(control(refused, QLatin1String(name)).value(QStringLiteral("enabled")),
                  control(loaded, QLatin1String(name)).value(QStringLiteral("enabled"))) << name;
    EXPECT_EQ(at(refused, "controls/frmCtl.Label2(0)/caption"), "2");
    EXPECT_EQ(at(refused, "controls/frmCtl.Label2(2)/caption"), "3");
    EXPECT_TRUE(run.stderrText.contains(demoDir() + QStringLiteral("/99.hy3"))) << qPrintable(run.stderrText);
    for (int i = 1; i <= 32; ++i) EXPECT_EQ(lit(refused, i), lit(loaded, i)) << i;
    // The refused set still played the route-set sound first.
    EXPECT_EQ(eventsOf(refused, QStringLiteral("sound")).size(), eventsOf(loaded, QStringLiteral("sound")).size() + 4);
}

// With `follow=1` in 207_000.tape a manual step moves the announcement list to the
// entry whose step marks bring the board to its row; without the file it stays.
TEST(TripProgram, TheListCanFollowTheBoard) {
    for (const bool follow : {true, false}) {
        QTemporaryDir dir;
        if (follow) {
            QFile f(dir.filePath(QStringLiteral("207_000.tape")));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("follow=1\n");
        }
        // Route 1 from section 3: two rows on.
        const ProgramRun run = runProgram(dir, keypad({10, 1, 11, 3}) + QStringLiteral(
            "click frmCtl.Command1(1)\n"
            "idle\n"
            "dump @/set.json\n"
            "click frmCtl.Command2(1)\n"
            "dump @/stepped.json\n"),
            QStringLiteral("t.script"), demoDir());
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
        const QJsonObject set = readJson(dir.filePath(QStringLiteral("set.json")));
        const QJsonObject stepped = readJson(dir.filePath(QStringLiteral("stepped.json")));
        // The demo list: a greeting without a step mark, then one stop a line, each marked.
        ASSERT_GE(at(set, "tape/entries").toArray().size(), 5);
        EXPECT_EQ(at(set, "tape/TapePos"), follow ? 3 : 0) << follow;
        EXPECT_EQ(at(stepped, "tape/TapePos"), follow ? 4 : 0) << follow;
        EXPECT_EQ(at(stepped, "controls/frmCtl.cmdTapeNext/toolTip"), at(set, follow ? "tape/entries/4/Text" : "tape/entries/0/Text"))
            << follow;
    }
}
