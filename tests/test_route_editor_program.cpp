// The route editor in the running program, driven as an operator would: a four-stop
// route made from nothing (refused while a name cannot be written, a fill taken back
// and given again with the keys, a cell copied and pasted, then saved), set and
// stepped on the board, and the unsaved-changes question when the program ends.
#include "core/fare_data_file.h"
#include "core/cp932.h"
#include "hy3tool_run.h"
#include "program_run.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QJsonArray cells(const QJsonObject &dump, const char *table) {
    return control(dump, QStringLiteral("frmRouteEdit.") + QLatin1String(table)).value(QStringLiteral("cells")).toArray();
}

QJsonArray messages(const QJsonObject &dump) { return eventsOf(dump, QStringLiteral("message")); }

}  // namespace

TEST(RouteEditorProgram, FourStopRouteFromNothingIsSavedSteppedAndGuardedByTheSaveQuestion) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir, QStringLiteral(
        "select frmCtl.List2(4) 7\n"
        "rclick frmCtl\n"
        "answer 路線データの編集...\n"
        "click frmRouteEdit.cmdStopAdd\nclick frmRouteEdit.cmdStopAdd\nclick frmRouteEdit.cmdStopAdd\nclick frmRouteEdit.cmdStopAdd\n"
        "cell frmRouteEdit.grdStops 1 1 東駅\n"
        "cell frmRouteEdit.grdStops 2 1 中町\U0001F68C\n"
        "cell frmRouteEdit.grdStops 3 1 西町\n"
        "cell frmRouteEdit.grdStops 4 1 \"西 車庫\"\n"
        "cell frmRouteEdit.grdStops 4 2 にししゃこ\n"
        "click frmRouteEdit.cmdSave\n"
        "answer OK\n"
        "dump @/refused.json\n"
        "cell frmRouteEdit.grdStops 2 1 中町\n"
        "click frmRouteEdit.cmdFillFares\n"
        "set frmFillFares.txtFlatFare 180\n"
        "answer OK\n"
        "key frmRouteEdit Ctrl+Z\n"
        "dump @/undone.json\n"
        "key frmRouteEdit Ctrl+Y\n"
        "cell frmRouteEdit.grdFares 4 3 \"２３０\"\n"
        "key frmRouteEdit Ctrl+C Up Left Ctrl+V\n"
        "click frmRouteEdit.cmdMakeTape\n"
        "dump @/made.json\n"
        "click frmRouteEdit.cmdSave\n"
        "dump @/saved.json\n"
        "click frmCtl.Command1(0)\n"
        "idle\n"
        "click frmCtl.Command2(1)\n"
        "click frmCtl.Command2(1)\n"
        "click frmCtl.Command2(1)\n"
        "dump @/stepped.json\n"
        "cell frmRouteEdit.grdFares 4 1 200\n"
        "close\n"
        "answer Yes\n"
        "answer キャンセル\n"
        "dump @/kept.json\n"
        "close\n"
        "answer Yes\n"
        "answer 保存しない\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_EQ(run.errors, QString());

    // Refused: the message names the first error, nothing is written.
    const QJsonObject refused = readJson(dir.filePath(QStringLiteral("refused.json")));
    const QJsonArray shown = messages(refused);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.last().toObject().value(QStringLiteral("text")).toString(),
              QStringLiteral("エラーがあるため保存できません。\n停留所 2行目 停留所名: CP932で表せない文字があります: \U0001F68C"));
    const QJsonObject grid = control(refused, QStringLiteral("frmRouteEdit.grdStops"));
    EXPECT_EQ(grid.value(QStringLiteral("rows")), 4);
    EXPECT_EQ(grid.value(QStringLiteral("columns")), 5);
    EXPECT_EQ(grid.value(QStringLiteral("headers")).toArray().first(), QStringLiteral("停留所名"));
    // Still the unsaved new route: nothing was written.
    EXPECT_EQ(window(refused, "frmRouteEdit").value(QStringLiteral("caption")), QStringLiteral("新しい系統 * - 路線データの編集"));

    // Ctrl+Z takes the whole fill back.
    const QJsonObject undone = readJson(dir.filePath(QStringLiteral("undone.json")));
    EXPECT_EQ(cells(undone, "grdFares").at(3).toArray().at(0), QString());
    EXPECT_EQ(cells(undone, "grdFares").at(1).toArray().at(0), QString());

    // Typed, then copied with Ctrl+C and pasted one row up and one column left.
    const QJsonObject made = readJson(dir.filePath(QStringLiteral("made.json")));
    EXPECT_EQ(cells(made, "grdFares").at(3).toArray().at(2), QStringLiteral("230"));
    EXPECT_EQ(cells(made, "grdFares").at(2).toArray().at(1), QStringLiteral("230"));
    EXPECT_EQ(cells(made, "grdFares").at(3).toArray().at(0), QStringLiteral("180")) << "Ctrl+Y gave the fill back";
    EXPECT_EQ(cells(made, "grdTape").at(2), (QJsonArray{QStringLiteral("次は、終点、にししゃこです。"), QStringLiteral("1"), QStringLiteral("2")}));

    // Saved: route 7 as the board reads it.
    const QJsonObject saved = readJson(dir.filePath(QStringLiteral("saved.json")));
    EXPECT_EQ(window(saved, "frmRouteEdit").value(QStringLiteral("caption")), QStringLiteral("系統7 - 路線データの編集"));
    const FareFileContents file = fare_file::readFile(dir.filePath(QStringLiteral("7.hy3")));
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(file.rows.size(), 4u);
    EXPECT_EQ(file.rows[3].StopName, QStringLiteral("西 車庫"));
    EXPECT_EQ(file.rows[3].Cell(1), 180);
    EXPECT_EQ(file.rows[3].Cell(3), 230);
    EXPECT_EQ(file.rows[0].Cell(1), 0);
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("7tp.csv"))),
              cp932::encode(QStringLiteral("次は、中町です。,1,1\r\n次は、西町です。,1,1\r\n次は、終点、にししゃこです。,1,2\r\n")));
    EXPECT_EQ(hy3tool({QStringLiteral("check"), dir.filePath(QStringLiteral("7.hy3"))}).code, 0);

    // Stepped to the terminal on the board.
    const QJsonObject stepped = readJson(dir.filePath(QStringLiteral("stepped.json")));
    EXPECT_EQ(stepped.value(QStringLiteral("fareRow")).toObject().value(QStringLiteral("StopName")), QStringLiteral("西 車庫"));
    EXPECT_EQ(stepped.value(QStringLiteral("degits")).toObject().value(QStringLiteral("Form1.Degit(1)")).toObject().value(QStringLiteral("Value")), 180);

    // キャンセル on "保存しますか？" keeps the program and the edit; 保存しない ends without writing.
    const QJsonObject kept = readJson(dir.filePath(QStringLiteral("kept.json")));
    EXPECT_EQ(messages(kept).last().toObject().value(QStringLiteral("text")), QStringLiteral("保存しますか？"));
    EXPECT_EQ(cells(kept, "grdFares").at(3).toArray().at(0), QStringLiteral("200"));
    EXPECT_TRUE(window(kept, "frmRouteEdit").value(QStringLiteral("visible")).toBool());
    EXPECT_EQ(fare_file::readFile(dir.filePath(QStringLiteral("7.hy3"))).rows[3].Cell(1), 180);
}
