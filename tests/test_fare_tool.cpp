// hy3tool run as users run it: CSV in every encoding a spreadsheet saves, the
// round trip back to CSV, row-numbered refusals, and the check command.
#include "core/fare_data_file.h"
#include "core/cp932.h"

#include "file_bytes.h"
#include "hy3tool_run.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

// A table as a spreadsheet saves it: quoted names with commas and quotes, short
// rows, empty cells, spaces, negative values and an empty row at the end.
const QString SheetText = QStringLiteral(
    "停留所名,整理券番号,1,2,3,33\r\n"
    "中央駅前,1,0,0,0\r\n"
    "\"バス停,\"\"東\"\"口\",2,170,,0,0,0\r\n"
    "上原団地（北）, ３ ,　１９０　,170,－1\r\n"  // full-width, as typed with a Japanese input method
    "\"  スペース前\",0,-32768,32767,210,0,0,0,0\r\n"
    "東\"口,5,,,,7\r\n"
    ",,,,\r\n");

// The same table as rows; a quote inside an unquoted field is just a character.
std::vector<FareRow> sheetRows() {
    return {{QStringLiteral("中央駅前"), 1, {}},
            {QStringLiteral("バス停,\"東\"口"), 2, {170}},
            {QStringLiteral("上原団地（北）"), 3, {190, 170, -1}},
            {QStringLiteral("  スペース前"), 0, {-32768, 32767, 210}},
            {QStringLiteral("東\"口"), 5, {0, 0, 0, 7}}};
}

}  // namespace

TEST(FareTool, EveryEncodingGivesTheSameFileAndTheRoundTripKeepsTheTable) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString lf = SheetText;
    lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const std::pair<const char *, QByteArray> inputs[] = {
        {"bom", QByteArray("\xEF\xBB\xBF") + SheetText.toUtf8()},
        {"utf8", SheetText.toUtf8()},
        {"cp932", cp932::encode(SheetText)},
        {"lf", lf.toUtf8()},
    };
    QByteArray first;
    for (const auto &[name, bytes] : inputs) {
        const QString csv = dir.filePath(QString::fromLatin1(name) + ".csv"), hy3 = dir.filePath(QString::fromLatin1(name) + ".hy3");
        writeBytes(csv, bytes);
        const ToolRun r = hy3tool({"to-hy3", csv, hy3});
        ASSERT_EQ(r.code, 0) << name << r.err.toStdString();
        if (first.isEmpty()) first = readBytes(hy3);
        EXPECT_EQ(readBytes(hy3), first) << name;
    }
    EXPECT_EQ(fare_file::parse(first, "x").rows, sheetRows());

    // Back to CSV in each output encoding, and in again: the same table.
    for (const char *enc : {"utf8-bom", "utf8", "cp932"}) {
        const QString csv = dir.filePath("back-" + QString::fromLatin1(enc) + ".csv"), hy3 = dir.filePath("again.hy3");
        ToolRun r = hy3tool({"to-csv", dir.filePath("bom.hy3"), csv, "--encoding", QString::fromLatin1(enc)});
        ASSERT_EQ(r.code, 0) << enc << r.err.toStdString();
        const QByteArray text = readBytes(csv);
        EXPECT_TRUE(text.contains("\r\n")) << enc;
        EXPECT_EQ(text.startsWith("\xEF\xBB\xBF"), QByteArray(enc) == "utf8-bom") << enc;
        r = hy3tool({"to-hy3", csv, hy3});
        ASSERT_EQ(r.code, 0) << enc << r.err.toStdString();
        EXPECT_EQ(readBytes(hy3), first) << enc;
    }
}

TEST(FareTool, BadTablesAreRefusedWithRowNumbersAndNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray head = "停留所名,整理券番号,1,2\r\n";
    QByteArray tooMany = head, cells, wide = "A,1";
    for (int k = 1; k <= 150; ++k) cells += ",170";
    for (int r = 1; r <= 20000; ++r) tooMany += "S" + QByteArray::number(r) + "," + QByteArray::number(r) + cells + "\r\n";
    for (int k = 1; k <= 151; ++k) wide += ",1";

    const std::pair<QByteArray, QStringList> cases[] = {
        {head + "A,1,170\r\nB,2,170円,190\r\n", {"3行目 3列目", "170円"}},
        {head + "A,1,170,40000\r\nB,-40000,0\r\n", {"2行目 4列目", "40000", "3行目 2列目"}},
        {head + "A,1,1.5\r\n", {"2行目 3列目"}},
        {head + "A,1\r\n한국 정류장😀,2\r\n", {"3行目", "한", "국", "😀"}},
        {tooMany, {"301行", "303行目"}},
        {QByteArray(), {"空"}},
        {head, {"見出し"}},
        {"A,1,170\r\nB,2,190\r\n", {"見出し"}},
        {head + "A,1\r\n,,\r\nB,2\r\n", {"3行目"}},
        {head + wide + "\r\n", {"2行目", "153列目"}},
        {head + "\x82\xA0\xFF,1\r\n", {"2行目 1列目"}},
        {head + "A,1,170\r\n\"中央駅前,1,210\r\nB,2,190\r\n", {"3行目", "引用符"}},
        {"停留所名;整理券番号;1\r\nA;1;170\r\n", {"セミコロン"}},
        {"停留所名\t整理券番号\t1\r\nA\t1\t170\r\n", {"タブ"}},
    };
    int n = 0;
    for (const auto &[bytes, mustSay] : cases) {
        const QString csv = dir.filePath(QStringLiteral("%1.csv").arg(++n)), hy3 = dir.filePath(QStringLiteral("%1.hy3").arg(n));
        writeBytes(csv, bytes);
        const ToolRun r = hy3tool({"to-hy3", csv, hy3});
        EXPECT_EQ(r.code, 1) << n;
        for (const QString &s : mustSay) EXPECT_TRUE(r.err.contains(s)) << n << ": " << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(hy3)) << n;
    }
    // A FIFO is refused at once, never waited on.
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QStringList &args : {QStringList{"to-hy3", fifo, dir.filePath("f.hy3")}, QStringList{"check", fifo}})
        EXPECT_EQ(hy3tool(args).code, 1) << args.join(u' ').toStdString();
}

TEST(FareTool, CheckReportsEveryProblemWithItsRow) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<FareRow> rows{{"中原", 0, {}}, {"西原", 0, {0, 0, 0, 0, 20000}}, {}};  // 20000 cannot be doubled
    QByteArray good;
    ASSERT_TRUE(fare_file::encode(rows, good, nullptr));
    writeBytes(dir.filePath("warn.hy3"), good + QByteArray("xx"));
    const ToolRun warn = hy3tool({"check", dir.filePath("warn.hy3")});
    EXPECT_EQ(warn.code, 0) << warn.out.toStdString();
    // The overflow in row 2, the empty name in row 3, the trailing bytes.
    for (const char *said : {"2行目", "3行目", "2バイト", "エラー0件, 警告3件"}) EXPECT_TRUE(warn.out.contains(QString::fromUtf8(said))) << said;

    writeBytes(dir.filePath("cut.hy3"), good.chopped(10));
    const ToolRun bad = hy3tool({"check", dir.filePath("warn.hy3"), dir.filePath("cut.hy3"), dir.filePath("none.hy3")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.out.contains("cut.hy3: エラー: 3行目") && bad.out.contains("none.hy3: エラー"));

    // A broken file is not turned into CSV.
    const ToolRun toCsv = hy3tool({"to-csv", dir.filePath("cut.hy3"), dir.filePath("cut.csv")});
    EXPECT_EQ(toCsv.code, 1);
    EXPECT_TRUE(toCsv.err.contains("cut.hy3") && !QFileInfo::exists(dir.filePath("cut.csv")));

    // Wrong usage is status 2, apart from the data's own problems.
    for (const QStringList &args : {QStringList{}, QStringList{"frobnicate"}, QStringList{"to-hy3", "x.csv"},
                                    QStringList{"to-csv", "a", "b", "--encoding", "latin1"}})
        EXPECT_EQ(hy3tool(args).code, 2) << args.join(u' ').toStdString();
}
