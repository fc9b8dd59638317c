// The fare data file: exact layout, and every kind of broken file refused with a
// message naming the file and the row.
#include "app/fare_data_file.h"
#include "companion/cp932.h"

#include <QFile>
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

FareRow row(const QString &name, qint16 ticket, std::vector<int> cells = {}) {
    FareRow r;
    r.StopName = name;
    r.TicketNo = ticket;
    for (size_t i = 0; i < cells.size(); ++i) r.cells[i] = static_cast<qint16>(cells[i]);
    return r;
}

const FareFileProblem *firstError(const FareFileContents &c) {
    for (const FareFileProblem &p : c.problems)
        if (p.isError()) return &p;
    return nullptr;
}

}  // namespace

TEST(FareDataFile, LayoutIsLittleEndianWithCp932NamesAndRoundTrips) {
    const std::vector<FareRow> rows{row(QStringLiteral("東町～前"), 1, {170, -1, 0, 32767}),
                                    row(QString(), -3, {-32768})};
    QByteArray bytes;
    QString why;
    ASSERT_TRUE(fare_file::encode(rows, bytes, &why)) << why.toStdString();

    const QByteArray name = cp932::encode(QStringLiteral("東町～前"));
    ASSERT_EQ(name.size(), 8);  // four double-byte characters, "～" included
    EXPECT_EQ(bytes, le16(2) + record(name, 1, {170, -1, 0, 32767}) + record({}, -3, {-32768}));
    EXPECT_EQ(bytes.size(), 2 + (2 + 8 + 2 + 300) + (2 + 0 + 2 + 300));

    const FareFileContents back = fare_file::parse(bytes, QStringLiteral("1.hy3"));
    EXPECT_TRUE(back.ok());
    EXPECT_TRUE(back.problems.empty());
    EXPECT_EQ(back.declaredCount, 2);
    EXPECT_EQ(back.rows, rows);
}

TEST(FareDataFile, CountsThatCannotBeTrustedAreRefused) {
    // No count at all.
    for (const QByteArray &bytes : {QByteArray(), QByteArray(1, '\x05')}) {
        const FareFileContents c = fare_file::parse(bytes, QStringLiteral("dir/7.hy3"));
        EXPECT_FALSE(c.ok());
        EXPECT_FALSE(c.countRead);
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("dir/7.hy3")));
    }
    // Negative count.
    {
        const FareFileContents c = fare_file::parse(le16(-2) + record("A", 1), QStringLiteral("7.hy3"));
        EXPECT_FALSE(c.ok());
        EXPECT_TRUE(c.countRead);
        EXPECT_EQ(c.declaredCount, -2);
        EXPECT_TRUE(c.rows.empty());
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("7.hy3")));
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("-2")));
    }
    // More rows than the table holds: refused with the limit named, whether the
    // rows are really there or the count is simply huge.
    {
        QByteArray bytes = le16(302);
        for (int r = 1; r <= 302; ++r) bytes += record("S", r);
        const FareFileContents c = fare_file::parse(bytes, QStringLiteral("9.hy3"));
        EXPECT_FALSE(c.ok());
        EXPECT_EQ(c.rows.size(), 302u);
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("9.hy3")));
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("301")));
    }
    {
        const FareFileContents c = fare_file::parse(le16(32767) + record("S", 1), QStringLiteral("9.hy3"));
        EXPECT_FALSE(c.ok());
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("301")));
        EXPECT_EQ(c.rows.size(), 1u);  // only what is really there was read
    }
    // Zero rows is a well-formed (empty) file; the route set decides about it.
    {
        const FareFileContents c = fare_file::parse(le16(0), QStringLiteral("3.hy3"));
        EXPECT_TRUE(c.ok());
        EXPECT_EQ(c.declaredCount, 0);
    }
}

TEST(FareDataFile, TruncatedRecordsAreRefusedWithTheirRow) {
    const QByteArray good = record(cp932::encode(QStringLiteral("本町")), 1, {170});

    // The name length runs past the end of the file.
    {
        QByteArray bytes = le16(2) + good + le16(500) + QByteArray("abc");
        const FareFileContents c = fare_file::parse(bytes, QStringLiteral("5.hy3"));
        ASSERT_FALSE(c.ok());
        EXPECT_EQ(firstError(c)->row, 2);
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("5.hy3")));
        EXPECT_TRUE(c.errorMessage().contains(QStringLiteral("2行目")));
        EXPECT_EQ(c.rows.size(), 1u);
    }
    // One byte short of the name is enough to refuse it as such.
    {
        const FareFileContents c = fare_file::parse(le16(1) + le16(4) + QByteArray("abc"), QStringLiteral("5.hy3"));
        ASSERT_FALSE(c.ok());
        EXPECT_EQ(firstError(c)->row, 1);
        EXPECT_TRUE(firstError(c)->text.contains(QStringLiteral("停留所名の長さ 4バイト")));
    }
    // Fewer rows than the count says.
    {
        const FareFileContents c = fare_file::parse(le16(3) + good + good, QStringLiteral("5.hy3"));
        ASSERT_FALSE(c.ok());
        EXPECT_EQ(firstError(c)->row, 3);
        EXPECT_EQ(c.rows.size(), 2u);
    }
    // A row cut inside its cells, and one cut inside its name-length field.
    {
        QByteArray bytes = le16(1) + good;
        bytes.chop(1);
        const FareFileContents c = fare_file::parse(bytes, QStringLiteral("5.hy3"));
        ASSERT_FALSE(c.ok());
        EXPECT_EQ(firstError(c)->row, 1);
        EXPECT_TRUE(c.rows.empty());
    }
    {
        const FareFileContents c = fare_file::parse(le16(2) + good + QByteArray(1, '\x02'),
                                                    QStringLiteral("5.hy3"));
        ASSERT_FALSE(c.ok());
        EXPECT_EQ(firstError(c)->row, 2);
    }
    // Bytes after the last row are read past, with a warning.
    {
        const FareFileContents c = fare_file::parse(le16(1) + good + QByteArray("junk"), QStringLiteral("5.hy3"));
        EXPECT_TRUE(c.ok());
        ASSERT_EQ(c.problems.size(), 1u);
        EXPECT_FALSE(c.problems[0].isError());
        EXPECT_TRUE(c.problems[0].text.contains(QStringLiteral("4バイト")));
        EXPECT_EQ(c.rows.size(), 1u);
    }
    // Bytes that are not CP932 still load, with a warning for that row.
    {
        const FareFileContents c =
            fare_file::parse(le16(1) + record(QByteArray("\x81", 1), 1), QStringLiteral("5.hy3"));
        EXPECT_TRUE(c.ok());
        ASSERT_EQ(c.problems.size(), 1u);
        EXPECT_EQ(c.problems[0].row, 1);
    }
}

TEST(FareDataFile, FilesOnDiskAndTheirFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("1.hy3"));

    const FareFileContents missing = fare_file::readFile(path);
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.errorMessage().contains(path));

    std::vector<FareRow> rows{row(QStringLiteral("山田車庫前"), 2, {190, 210})};
    QString why;
    ASSERT_TRUE(fare_file::writeFile(path, rows, &why)) << why.toStdString();
    EXPECT_EQ(fare_file::readFile(path).rows, rows);

    // A refused write leaves the existing file exactly as it was.
    rows.push_back(row(QStringLiteral("한국"), 3));
    EXPECT_FALSE(fare_file::writeFile(path, rows, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("한")));
    EXPECT_EQ(fare_file::readFile(path).rows.size(), 1u);
    EXPECT_FALSE(fare_file::writeFile(dir.filePath(QStringLiteral("no/such/dir/1.hy3")), {}, &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(FareDataFile, EncoderRefusesWhatTheFormatCannotHold) {
    QByteArray out("untouched");
    QString why;
    EXPECT_FALSE(fare_file::encode(std::vector<FareRow>(302), out, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("301")));
    EXPECT_TRUE(fare_file::encode(std::vector<FareRow>(301), out, &why));

    out = "untouched";
    const std::vector<FareRow> bad{row(QStringLiteral("A"), 1), row(QStringLiteral("駅前😀?ü😀"), 2)};
    EXPECT_FALSE(fare_file::encode(bad, out, &why));
    EXPECT_EQ(out, QByteArray("untouched"));
    EXPECT_TRUE(why.startsWith(QStringLiteral("2行目")));
    EXPECT_EQ(fare_file::unencodable(QStringLiteral("駅前😀?ü😀")),
              QStringList({QStringLiteral("😀"), QStringLiteral("ü")}));
    EXPECT_TRUE(fare_file::unencodable(QStringLiteral("～（北）ー前駅")).isEmpty());

    EXPECT_FALSE(fare_file::encode({row(QString(70000, QLatin1Char('a')), 1)}, out, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("65535")));
}

TEST(FareDataFile, LintFlagsDataThatWouldMisbehaveOnTheBoard) {
    const std::vector<FareRow> rows{row(QStringLiteral("中原"), 1, {170, -1, 16383, -16384}),
                                    row(QStringLiteral(" "), 2, {-2, 16384}),
                                    row(QStringLiteral("西原"), 3, {0, 0, 0, 0, -16385})};
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
