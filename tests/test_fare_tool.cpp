// hy3tool run as users run it: CSV in every encoding a spreadsheet saves, the
// round trip back to CSV, row-numbered refusals, and the check command.
#include "core/fare_data_file.h"
#include "core/cp932.h"

#include "hy3tool_run.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

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
        const QString csv = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".csv"));
        const QString hy3 = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".hy3"));
        writeBytes(csv, bytes);
        const ToolRun r = hy3tool({QStringLiteral("to-hy3"), csv, hy3});
        ASSERT_EQ(r.code, 0) << name << r.err.toStdString();
        const QByteArray made = readBytes(hy3);
        if (first.isEmpty()) first = made;
        EXPECT_EQ(made, first) << name;
    }
    EXPECT_EQ(fare_file::parse(first, QStringLiteral("x")).rows, sheetRows());

    // Back to CSV in each output encoding, and in again: the same table.
    for (const char *enc : {"utf8-bom", "utf8", "cp932"}) {
        const QString csv = dir.filePath(QStringLiteral("back-") + QString::fromLatin1(enc) + QStringLiteral(".csv"));
        const QString hy3 = dir.filePath(QStringLiteral("again-") + QString::fromLatin1(enc) + QStringLiteral(".hy3"));
        ToolRun r = hy3tool({QStringLiteral("to-csv"), dir.filePath(QStringLiteral("bom.hy3")), csv,
                         QStringLiteral("--encoding"), QString::fromLatin1(enc)});
        ASSERT_EQ(r.code, 0) << enc << r.err.toStdString();
        const QByteArray text = readBytes(csv);
        EXPECT_TRUE(text.contains("\r\n")) << enc;
        EXPECT_EQ(text.startsWith("\xEF\xBB\xBF"), QByteArray(enc) == "utf8-bom") << enc;
        r = hy3tool({QStringLiteral("to-hy3"), csv, hy3});
        ASSERT_EQ(r.code, 0) << enc << r.err.toStdString();
        EXPECT_EQ(readBytes(hy3), first) << enc;
    }
}

TEST(FareTool, BadTablesAreRefusedWithRowNumbersAndNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString head = QStringLiteral("停留所名,整理券番号,1,2\r\n");
    QString tooMany = head;
    QString cells;
    for (int k = 1; k <= 150; ++k) cells += QStringLiteral(",170");
    for (int r = 1; r <= 20000; ++r) tooMany += QStringLiteral("S%1,%1").arg(r) + cells + QStringLiteral("\r\n");
    QString wide = QStringLiteral("A,1");
    for (int k = 1; k <= 151; ++k) wide += QStringLiteral(",1");

    struct Case {
        const char *name;
        QByteArray bytes;
        QStringList mustSay;
    };
    const Case cases[] = {
        {"nonnumeric", (head + QStringLiteral("A,1,170\r\nB,2,170円,190\r\n")).toUtf8(),
         {QStringLiteral("3行目 3列目"), QStringLiteral("170円")}},
        {"range", (head + QStringLiteral("A,1,170,40000\r\nB,-40000,0\r\n")).toUtf8(),
         {QStringLiteral("2行目 4列目"), QStringLiteral("40000"), QStringLiteral("3行目 2列目")}},
        {"fraction", (head + QStringLiteral("A,1,1.5\r\n")).toUtf8(), {QStringLiteral("2行目 3列目")}},
        {"chars", (head + QStringLiteral("A,1\r\n한국 정류장😀,2\r\n")).toUtf8(),
         {QStringLiteral("3行目"), QStringLiteral("한"), QStringLiteral("국"), QStringLiteral("😀")}},
        {"toomany", tooMany.toUtf8(), {QStringLiteral("301行"), QStringLiteral("303行目")}},
        {"empty", QByteArray(), {QStringLiteral("空")}},
        {"headeronly", head.toUtf8(), {QStringLiteral("見出し")}},
        {"noheader", QStringLiteral("A,1,170\r\nB,2,190\r\n").toUtf8(), {QStringLiteral("見出し")}},
        {"gap", (head + QStringLiteral("A,1\r\n,,\r\nB,2\r\n")).toUtf8(), {QStringLiteral("3行目")}},
        {"wide", (head + wide + QStringLiteral("\r\n")).toUtf8(), {QStringLiteral("2行目"), QStringLiteral("153列目")}},
        {"badbytes", head.toUtf8() + QByteArray("\x82\xA0\xFF,1\r\n"), {QStringLiteral("2行目 1列目")}},
        {"unclosed", (head + QStringLiteral("A,1,170\r\n\"中央駅前,1,210\r\nB,2,190\r\n")).toUtf8(), {QStringLiteral("3行目"), QStringLiteral("引用符")}},
        {"semicolons", QStringLiteral("停留所名;整理券番号;1\r\nA;1;170\r\n").toUtf8(), {QStringLiteral("セミコロン")}},
        {"tabs", QStringLiteral("停留所名\t整理券番号\t1\r\nA\t1\t170\r\n").toUtf8(), {QStringLiteral("タブ")}},
    };
    for (const Case &c : cases) {
        const QString csv = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".csv"));
        const QString hy3 = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".hy3"));
        writeBytes(csv, c.bytes);
        const ToolRun r = hy3tool({QStringLiteral("to-hy3"), csv, hy3});
        EXPECT_EQ(r.code, 1) << c.name;
        for (const QString &s : c.mustSay) EXPECT_TRUE(r.err.contains(s)) << c.name << ": " << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(hy3)) << c.name;
    }
    // A FIFO is refused at once, never waited on.
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QStringList &args : {QStringList{QStringLiteral("to-hy3"), fifo, dir.filePath(QStringLiteral("f.hy3"))},
                                    QStringList{QStringLiteral("check"), fifo}})
        EXPECT_EQ(hy3tool(args).code, 1) << args.join(u' ').toStdString();
}

TEST(FareTool, CheckReportsEveryProblemWithItsRow) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<FareRow> rows(3);
    rows[0].StopName = QStringLiteral("中原");
    rows[1].StopName = QStringLiteral("西原");
    rows[1].cells[4] = 20000;  // cannot be doubled
    rows[2].StopName = QString();
    QByteArray good;
    QString why;
    ASSERT_TRUE(fare_file::encode(rows, good, &why));

    writeBytes(dir.filePath(QStringLiteral("warn.hy3")), good + QByteArray("xx"));
    const ToolRun warn = hy3tool({QStringLiteral("check"), dir.filePath(QStringLiteral("warn.hy3"))});
    EXPECT_EQ(warn.code, 0) << warn.out.toStdString();
    // The overflow in row 2, the empty name in row 3, the trailing bytes.
    for (const char *said : {"2行目", "3行目", "2バイト", "エラー0件, 警告3件"}) EXPECT_TRUE(warn.out.contains(QString::fromUtf8(said))) << said;

    QByteArray cut = good;
    cut.chop(10);
    writeBytes(dir.filePath(QStringLiteral("cut.hy3")), cut);
    const ToolRun bad = hy3tool({QStringLiteral("check"), dir.filePath(QStringLiteral("warn.hy3")),
                             dir.filePath(QStringLiteral("cut.hy3")), dir.filePath(QStringLiteral("none.hy3"))});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.out.contains(QStringLiteral("cut.hy3: エラー: 3行目")) && bad.out.contains(QStringLiteral("none.hy3: エラー")));

    // A broken file is not turned into CSV.
    const ToolRun toCsv = hy3tool({QStringLiteral("to-csv"), dir.filePath(QStringLiteral("cut.hy3")),
                               dir.filePath(QStringLiteral("cut.csv"))});
    EXPECT_EQ(toCsv.code, 1);
    EXPECT_TRUE(toCsv.err.contains(QStringLiteral("cut.hy3")) && !QFileInfo::exists(dir.filePath(QStringLiteral("cut.csv"))));

    // Wrong usage is status 2, apart from the data's own problems.
    for (const QStringList &args : {QStringList{}, QStringList{QStringLiteral("frobnicate")}, QStringList{QStringLiteral("to-hy3"), QStringLiteral("x.csv")},
                                    QStringList{QStringLiteral("to-csv"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--encoding"), QStringLiteral("latin1")}})
        EXPECT_EQ(hy3tool(args).code, 2) << args.join(u' ').toStdString();
}
