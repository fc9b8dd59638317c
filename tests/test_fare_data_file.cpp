// The fare data file: exact layout, and every kind of broken file refused with a
// message naming the file and the row.
#include "core/fare_data_file.h"
#include "core/cp932.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray le16(int v) {
    QByteArray b;
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
    return b;
}

// One row record as the file holds it; cells not given are 0.
QByteArray record(const QByteArray &name, int ticket, std::vector<int> cells = {}) {
    QByteArray b = le16(name.size()) + name + le16(ticket);
    cells.resize(FareRow::CellCount, 0);
    for (int v : cells) b += le16(v);
    return b;
}

}  // namespace

TEST(FareDataFile, LayoutIsLittleEndianWithCp932NamesAndRoundTrips) {
    const std::vector<FareRow> rows{{"東町～前", 1, {170, -1, 0, 32767}}, {"", -3, {-32768}}};
    QByteArray bytes;
    QString why;
    ASSERT_TRUE(fare_file::encode(rows, bytes, &why)) << why.toStdString();

    const QByteArray name = cp932::encode(QStringLiteral("東町～前"));
    ASSERT_EQ(name.size(), 8);  // four double-byte characters, "～" included
    EXPECT_EQ(bytes, le16(2) + record(name, 1, {170, -1, 0, 32767}) + record({}, -3, {-32768}));

    const FareFileContents back = fare_file::parse(bytes, "1.hy3");
    EXPECT_TRUE(back.ok() && back.problems.empty());
    EXPECT_EQ(back.declaredCount, 2);
    EXPECT_EQ(back.rows, rows);
}

TEST(FareDataFile, EveryBrokenFileIsRefusedWithFileAndRow) {
    const QByteArray good = record(cp932::encode(QStringLiteral("本町")), 1, {170});
    QByteArray full = le16(302);
    for (int r = 1; r <= 302; ++r) full += record("S", r);

    struct Case {
        const char *what;
        QByteArray bytes;
        bool ok;
        int problemRow;      // the first error's row (or the warning's row when ok); -1: none
        int rowsRead;
        const char *mustSay; // in the error message, or in the warning when ok
    };
    const Case cases[] = {
        {"no count", QByteArray(), false, 0, 0, ""},
        {"half a count", QByteArray(1, '\x05'), false, 0, 0, ""},
        {"negative count", le16(-2) + record("A", 1), false, 0, 0, "-2"},
        {"302 rows present", full, false, 0, 302, "301"},
        {"huge count", le16(32767) + record("S", 1), false, 0, 1, "301"},
        {"name runs past the end", le16(2) + good + le16(500) + QByteArray("abc"), false, 2, 1, "2行目"},
        {"name one byte short", le16(1) + le16(4) + QByteArray("abc"), false, 1, 0, "停留所名の長さ 4バイト"},
        {"fewer rows than counted", le16(3) + good + good, false, 3, 2, "3行目"},
        {"cut inside the cells", (le16(1) + good).chopped(1), false, 1, 0, "1行目"},
        {"cut inside a name length", le16(2) + good + QByteArray(1, '\x02'), false, 2, 1, "2行目"},
        // Zero rows is well formed; the route set decides about it.
        {"zero rows", le16(0), true, -1, 0, ""},
        // Read past with a warning: trailing bytes, a name that is not CP932.
        {"trailing bytes", le16(1) + good + QByteArray("junk"), true, 0, 1, "4バイト"},
        {"not CP932", le16(1) + record(QByteArray("\x81", 1), 1), true, 1, 1, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const FareFileContents f = fare_file::parse(c.bytes, "dir/5.hy3");
        EXPECT_EQ(f.ok(), c.ok);
        EXPECT_EQ(int(f.rows.size()), c.rowsRead);
        if (!c.ok) {
            EXPECT_TRUE(f.errorMessage().contains("dir/5.hy3") && f.errorMessage().contains(c.mustSay)) << f.errorMessage().toStdString();
            const auto first = std::find_if(f.problems.begin(), f.problems.end(), [](auto &p) { return p.isError(); });
            ASSERT_NE(first, f.problems.end());
            if (c.problemRow > 0) { EXPECT_EQ(first->row, c.problemRow); }
        } else if (c.problemRow < 0) {
            EXPECT_TRUE(f.problems.empty());
        } else {
            ASSERT_EQ(f.problems.size(), 1u);
            EXPECT_FALSE(f.problems[0].isError());
            if (c.problemRow > 0) { EXPECT_EQ(f.problems[0].row, c.problemRow); }
            EXPECT_TRUE(f.problems[0].text.contains(c.mustSay));
        }
    }
    EXPECT_EQ(fare_file::parse(le16(-2), "x").declaredCount, -2);
    EXPECT_FALSE(fare_file::parse(QByteArray(), "x").countRead);
}

TEST(FareDataFile, WritingRefusesWhatTheFormatCannotHoldAndKeepsTheOldFile) {
    QByteArray out("untouched");
    QString why;
    const std::pair<std::vector<FareRow>, const char *> refused[] = {
        {std::vector<FareRow>(302), "301"},
        {{{QString(70000, QLatin1Char('a')), 1, {}}}, "65535"},
        {{{"A", 1, {}}, {"駅前😀?ü😀", 2, {}}}, "2行目"}};
    for (const auto &[rows, said] : refused) {
        EXPECT_FALSE(fare_file::encode(rows, out, &why));
        EXPECT_TRUE(why.contains(QString::fromUtf8(said))) << why.toStdString();
    }
    EXPECT_EQ(out, QByteArray("untouched"));
    EXPECT_EQ(fare_file::unencodable(QStringLiteral("駅前😀?ü😀")), QStringList({QStringLiteral("😀"), QStringLiteral("ü")}));
    EXPECT_TRUE(fare_file::unencodable(QStringLiteral("～（北）ー前駅")).isEmpty());
    EXPECT_TRUE(fare_file::encode(std::vector<FareRow>(301), out, &why));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("1.hy3"));
    EXPECT_TRUE(fare_file::readFile(path).errorMessage().contains(path));
    std::vector<FareRow> rows{{"山田車庫前", 2, {190, 210}}};
    ASSERT_TRUE(fare_file::writeFile(path, rows, &why)) << why.toStdString();
    EXPECT_EQ(fare_file::readFile(path).rows, rows);
    // A refused write leaves the existing file exactly as it was.
    rows.push_back({"한국", 3, {}});
    EXPECT_FALSE(fare_file::writeFile(path, rows, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("한")));
    EXPECT_EQ(fare_file::readFile(path).rows.size(), 1u);
    why.clear();
    EXPECT_FALSE(fare_file::writeFile(dir.filePath("no/such/dir/1.hy3"), {}, &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(FareDataFile, LintFlagsDataThatWouldMisbehaveOnTheBoard) {
    const std::vector<FareRow> rows{{"中原", 1, {170, -1, 16383, -16384}}, {" ", 2, {-2, 16384}}, {"西原", 3, {0, 0, 0, 0, -16385}}};
    const std::vector<FareFileProblem> p = fare_file::lint(rows);
    std::vector<int> rowsFlagged;
    for (const FareFileProblem &x : p) {
        EXPECT_FALSE(x.isError());
        rowsFlagged.push_back(x.row);
    }
    // Row 1: -16384 doubles fine but is no fare; row 2: empty name, fare below -1,
    // double overflow; row 3: below -1 and double overflow.
    EXPECT_EQ(rowsFlagged, (std::vector<int>{1, 2, 2, 2, 3, 3}));
    EXPECT_TRUE(p[0].text.contains(QStringLiteral("コマ 4）")));
    EXPECT_TRUE(p[2].text.contains(QStringLiteral("コマ 1）")));
    EXPECT_TRUE(p[3].text.contains(QStringLiteral("コマ 2、")));
    EXPECT_TRUE(p[5].text.contains(QStringLiteral("コマ 5、")));
}
