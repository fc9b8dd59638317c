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
    return control(dump, "frmRouteEdit." + QString(table)).value("cells").toArray();
}

QString lastMessage(const QJsonObject &dump) {
    const QJsonArray shown = eventsOf(dump, "message");
    return shown.isEmpty() ? QString() : shown.last().toObject().value("text").toString();
}

}  // namespace

TEST(RouteEditorProgram, FourStopRouteFromNothingIsSavedSteppedAndGuardedByTheSaveQuestion) {
    QTemporaryDir dir;
    // One step of the operator's on each line.
    const ProgramRun run = runProgram(dir, QStringLiteral(
        "select frmCtl.List2(4) 7\nrclick frmCtl\nanswer 路線データの編集...\n"
        "click frmRouteEdit.cmdStopAdd\nclick frmRouteEdit.cmdStopAdd\nclick frmRouteEdit.cmdStopAdd\nclick frmRouteEdit.cmdStopAdd\n"
        "cell frmRouteEdit.grdStops 1 1 東駅\ncell frmRouteEdit.grdStops 2 1 中町\U0001F68C\ncell frmRouteEdit.grdStops 3 1 西町\n"
        "cell frmRouteEdit.grdStops 4 1 \"西 車庫\"\ncell frmRouteEdit.grdStops 4 2 にししゃこ\n"
        "click frmRouteEdit.cmdSave\nanswer OK\ndump @/refused.json\n"
        "cell frmRouteEdit.grdStops 2 1 中町\nclick frmRouteEdit.cmdFillFares\nset frmFillFares.txtFlatFare 180\nanswer OK\n"
        "key frmRouteEdit Ctrl+Z\ndump @/undone.json\nkey frmRouteEdit Ctrl+Y\n"
        "cell frmRouteEdit.grdFares 4 3 \"２３０\"\nkey frmRouteEdit Ctrl+C Up Left Ctrl+V\n"
        "click frmRouteEdit.cmdMakeTape\ndump @/made.json\nclick frmRouteEdit.cmdSave\ndump @/saved.json\n"
        "click frmCtl.Command1(0)\nidle\nclick frmCtl.Command2(1)\nclick frmCtl.Command2(1)\nclick frmCtl.Command2(1)\ndump @/stepped.json\n"
        "cell frmRouteEdit.grdFares 4 1 200\nclose\nanswer Yes\nanswer キャンセル\ndump @/kept.json\n"
        "close\nanswer Yes\nanswer 保存しない\n"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_EQ(run.errors, QString());

    // Refused: the message names the first error, nothing is written.
    const QJsonObject refused = readJson(dir.filePath("refused.json"));
    EXPECT_EQ(lastMessage(refused), "エラーがあるため保存できません。\n停留所 2行目 停留所名: CP932で表せない文字があります: \U0001F68C");
    const QJsonObject grid = control(refused, "frmRouteEdit.grdStops");
    expectHas(grid, {{"rows", 4}, {"columns", 5}}, "grdStops");
    EXPECT_EQ(grid.value("headers").toArray().first(), "停留所名");
    // Still the unsaved new route: nothing was written.
    EXPECT_EQ(window(refused, "frmRouteEdit").value("caption"), "新しい系統 * - 路線データの編集");

    // Ctrl+Z takes the whole fill back.
    const QJsonArray undone = cells(readJson(dir.filePath("undone.json")), "grdFares");
    EXPECT_EQ(std::pair(undone.at(3).toArray().at(0), undone.at(1).toArray().at(0)), std::pair(QJsonValue(""), QJsonValue("")));

    // Typed, then copied with Ctrl+C and pasted one row up and one column left.
    const QJsonObject made = readJson(dir.filePath("made.json"));
    const QJsonArray fares = cells(made, "grdFares");
    EXPECT_EQ(std::pair(fares.at(3).toArray().at(2), fares.at(2).toArray().at(1)), std::pair(QJsonValue("230"), QJsonValue("230")));
    EXPECT_EQ(fares.at(3).toArray().at(0), "180") << "Ctrl+Y gave the fill back";
    EXPECT_EQ(cells(made, "grdTape").at(2), (QJsonArray{"次は、終点、にししゃこです。", "1", "2"}));

    // Saved: route 7 as the board reads it.
    EXPECT_EQ(window(readJson(dir.filePath("saved.json")), "frmRouteEdit").value("caption"), "系統7 - 路線データの編集");
    const FareFileContents file = fare_file::readFile(dir.filePath("7.hy3"));
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(file.rows.size(), 4u);
    EXPECT_EQ(std::tuple(file.rows[3].StopName, file.rows[3].Cell(1), file.rows[3].Cell(3), file.rows[0].Cell(1)),
              std::tuple(QString("西 車庫"), 180, 230, 0));
    EXPECT_EQ(readBytes(dir.filePath("7tp.csv")), cp932::encode("次は、中町です。,1,1\r\n次は、西町です。,1,1\r\n次は、終点、にししゃこです。,1,2\r\n"));

    // Stepped to the terminal on the board.
    const QJsonObject stepped = readJson(dir.filePath("stepped.json"));
    EXPECT_EQ(stepped.value("fareRow").toObject().value("StopName"), "西 車庫");
    EXPECT_EQ(stepped.value("degits").toObject().value("Form1.Degit(1)").toObject().value("Value"), 180);

    // キャンセル on "保存しますか？" keeps the program and the edit; 保存しない ends without writing.
    const QJsonObject kept = readJson(dir.filePath("kept.json"));
    EXPECT_EQ(lastMessage(kept), "保存しますか？");
    EXPECT_EQ(cells(kept, "grdFares").at(3).toArray().at(0), "200");
    EXPECT_TRUE(window(kept, "frmRouteEdit").value("visible").toBool());
    EXPECT_EQ(fare_file::readFile(dir.filePath("7.hy3")).rows[3].Cell(1), 180);
}
