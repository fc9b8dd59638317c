// The route set without widgets: entered texts, file lookup, the refusals, and a
// refused set keeping the old trip.
#include "core/fare_data_file.h"
#include "core/route_set.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {

// A route of n stops; row r has ticket r and fare 100 * r + k in cell k.
std::vector<FareRow> route(int n, const QString &prefix = QStringLiteral("停留所")) {
    std::vector<FareRow> rows(static_cast<size_t>(n));
    for (int r = 1; r <= n; ++r) {
        FareRow &row = rows[static_cast<size_t>(r - 1)];
        row.StopName = prefix + QString::number(r);
        row.TicketNo = static_cast<qint16>(r);
        for (int k = 1; k <= FareRow::CellCount; ++k) row.cells[static_cast<size_t>(k - 1)] = static_cast<qint16>(100 * r + k);
    }
    return rows;
}

class RouteSet : public ::testing::Test {
protected:
    void writeRoute(const QString &fileRoute, const std::vector<FareRow> &rows) {
        QString why;
        ASSERT_TRUE(fare_file::writeFile(dir.filePath(fileRoute + QStringLiteral(".hy3")), rows, &why));
    }
    void writeBytes(const QString &fileRoute, const QByteArray &bytes) {
        QFile f(dir.filePath(fileRoute + QStringLiteral(".hy3")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    route_set::Result set(const QString &routeText, const QString &sectionText) {
        return route_set::load(route_set::makeRequest(routeText, sectionText), dir.path(), table, trip);
    }
    QTemporaryDir dir;
    DataIo table;
    Trip trip;
};

}  // namespace

TEST(RouteSetEntry, NumbersSectionsAndPaths) {
    using namespace route_set;
    const std::pair<const char *, int> numbers[] = {{"12ab", 12}, {"", 0}, {"ab12", 0}, {"00012", 12}, {"-5", 0},
                                                    {"99999999999999999999", std::numeric_limits<int>::max()}};
    for (const auto &[text, n] : numbers) EXPECT_EQ(leadingNumber(QString::fromLatin1(text)), n) << text;
    // Sections as the keypad or the lists give them: 0 and empty become 1, above 300 is 300.
    const std::pair<const char *, int> sections[] = {{"", 1}, {"000", 1}, {"05", 5}, {"300", 300}, {"301", 300}, {"999", 300}};
    for (const auto &[text, n] : sections) EXPECT_EQ(makeRequest(QStringLiteral("1"), QString::fromLatin1(text)).startSection, n) << text;

    const Request keypad = makeRequest(QStringLiteral("00012"), QString());
    EXPECT_EQ(keypad.routeNo, QStringLiteral("00012"));
    EXPECT_EQ(keypad.fileRouteNo, QStringLiteral("12"));
    EXPECT_EQ(makeRequest(QString(), QString()).fileRouteNo, QStringLiteral("0"));
    EXPECT_EQ(fareDataPath(QString(), QStringLiteral("007")), QStringLiteral("7.hy3"));
    EXPECT_EQ(fareDataPath(QStringLiteral("/d"), QStringLiteral("00012")), QStringLiteral("/d/12.hy3"));
    EXPECT_EQ(fareDataPath(QStringLiteral("/d/"), QStringLiteral("3")), QStringLiteral("/d/3.hy3"));
}

TEST_F(RouteSet, LoadsTheFileOfTheNumericRouteAndKeepsTheRouteAsEntered) {
    // A longer route first, so that rows beyond the new route must be emptied.
    writeRoute(QStringLiteral("3"), route(40, QStringLiteral("旧")));
    ASSERT_TRUE(set(QStringLiteral("3"), QStringLiteral("1")).loaded());
    writeRoute(QStringLiteral("12"), route(6));

    const route_set::Result r = set(QStringLiteral("00012"), QStringLiteral("2"));
    ASSERT_TRUE(r.loaded()) << r.message.toStdString();
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(r.path, dir.filePath(QStringLiteral("12.hy3")));
    EXPECT_EQ(trip.RouteNo, QStringLiteral("00012"));
    EXPECT_EQ(trip.StartSection, 2);
    EXPECT_EQ(trip.CurIndex, 1);
    EXPECT_EQ(trip.RowCount, 6);
    const std::vector<FareRow> expected = route(6);
    for (int r6 = 1; r6 <= 6; ++r6) EXPECT_EQ(table.Row(r6), expected[static_cast<size_t>(r6 - 1)]);
    EXPECT_EQ(table.Row(7), FareRow{});
    EXPECT_EQ(table.Row(40), FareRow{});
}

TEST_F(RouteSet, SectionMustLeaveARowAfterIt) {
    writeRoute(QStringLiteral("5"), route(5));
    for (int s = 1; s <= 4; ++s) {
        EXPECT_TRUE(set(QStringLiteral("5"), QString::number(s)).loaded()) << s;
        EXPECT_EQ(trip.CurIndex, s - 1);
    }
    const route_set::Result five = set(QStringLiteral("5"), QStringLiteral("5"));
    EXPECT_EQ(five.outcome, route_set::Outcome::SectionTooLarge);
    EXPECT_EQ(five.message, QStringLiteral("指定した区間はデータの数よりも多いです...\r\n  解決法：正しい区間を入力して下さい."));

    writeRoute(QStringLiteral("1"), route(1));
    EXPECT_EQ(set(QStringLiteral("1"), QStringLiteral("1")).outcome, route_set::Outcome::SectionTooLarge);

    // The largest table: section 300 of 301 rows is the last that works.
    writeRoute(QStringLiteral("301"), route(301));
    EXPECT_TRUE(set(QStringLiteral("301"), QStringLiteral("300")).loaded());
    EXPECT_EQ(trip.CurIndex, 299);
    EXPECT_EQ(table.Row(301).StopName, QStringLiteral("停留所301"));
}

TEST_F(RouteSet, RefusedRouteSetsKeepTheWholePreviousTrip) {
    writeRoute(QStringLiteral("2"), route(10, QStringLiteral("前")));
    ASSERT_TRUE(set(QStringLiteral("002"), QStringLiteral("3")).loaded());
    trip.TicketDate = QStringLiteral("03-05-2024");
    trip.CurIndex = 6;  // stepped on since
    const Trip before = trip;
    const FareRow row7 = table.Row(7);

    // Every refusal: missing file, no rows, section too large, count beyond the
    // table, negative count, truncated rows, and a directory in the file's place.
    writeBytes(QStringLiteral("20"), QByteArray(2, '\0'));
    writeRoute(QStringLiteral("21"), route(300));  // its count must not become the bound
    writeBytes(QStringLiteral("22"), QByteArray::fromHex("2e01"));  // 302 rows declared
    writeBytes(QStringLiteral("23"), QByteArray::fromHex("feff"));  // -2
    writeBytes(QStringLiteral("24"), QByteArray::fromHex("0300") + QByteArray(10, '\0'));
    writeBytes(QStringLiteral("25"), QByteArray(1, '\x01'));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("26.hy3")));

    struct Case {
        const char *route, *section;
        route_set::Outcome outcome;
    };
    const Case cases[] = {
        {"99", "1", route_set::Outcome::FileMissing},     {"20", "1", route_set::Outcome::NoRows},
        {"21", "300", route_set::Outcome::SectionTooLarge}, {"22", "1", route_set::Outcome::ReadFailed},
        {"23", "1", route_set::Outcome::ReadFailed},      {"24", "1", route_set::Outcome::ReadFailed},
        {"25", "1", route_set::Outcome::ReadFailed},      {"26", "1", route_set::Outcome::ReadFailed},
    };
    for (const Case &c : cases) {
        const route_set::Result r = set(QString::fromLatin1(c.route), QString::fromLatin1(c.section));
        EXPECT_EQ(r.outcome, c.outcome) << c.route;
        EXPECT_FALSE(r.message.isEmpty()) << c.route;
        if (c.outcome == route_set::Outcome::ReadFailed) {
            EXPECT_TRUE(r.message.contains(QString::fromLatin1(c.route) + QStringLiteral(".hy3"))) << c.route;
        }
        EXPECT_EQ(trip, before) << c.route;
        EXPECT_EQ(table.Row(7), row7) << c.route;
    }
    EXPECT_EQ(set(QStringLiteral("99"), QStringLiteral("1")).message, route_set::messageFileMissing());
    EXPECT_EQ(set(QStringLiteral("20"), QStringLiteral("1")).message, route_set::messageNoRows());
    EXPECT_TRUE(set(QStringLiteral("22"), QStringLiteral("1")).message.contains(QStringLiteral("301")));
    // A folder that does not exist is named, rather than blamed on the route.
    const QString noFolder = dir.filePath(QStringLiteral("gone"));
    const route_set::Result folder =
        route_set::load(route_set::makeRequest(QStringLiteral("2"), QStringLiteral("1")), noFolder, table, trip);
    EXPECT_EQ(folder.outcome, route_set::Outcome::ReadFailed);
    EXPECT_TRUE(folder.message.contains(noFolder));
    EXPECT_EQ(trip, before);
}
