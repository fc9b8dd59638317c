// The route set without widgets: entered texts, file lookup, the refusals, a refused
// set keeping the old trip, and the trip session that carries it.
#include "core/fare_data_file.h"
#include "core/route_set.h"
#include "core/stepping.h"
#include "core/trip_session.h"
#include "file_bytes.h"

#include <QDir>
#include <QTemporaryDir>
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
    void writeRaw(const char *fileRoute, const QByteArray &bytes) { writeBytes(dir.filePath(fileRoute + QStringLiteral(".hy3")), bytes); }
    route_set::Result set(const QString &routeText, const QString &sectionText) {
        return route_set::load(route_set::makeRequest(routeText, sectionText), dir.path(), table, trip);
    }
    QTemporaryDir dir;
    FareTable table;
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

    const Request keypad = makeRequest("00012", QString());
    EXPECT_EQ(std::pair(keypad.routeNo, keypad.fileRouteNo), std::pair(QString("00012"), QString("12")));
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
    EXPECT_EQ(std::tuple(trip.RouteNo, trip.StartSection, trip.CurIndex, trip.RowCount), std::tuple(QString("00012"), 2, 1, 6));
    for (int r6 = 1; r6 <= 40; ++r6) EXPECT_EQ(table.Row(r6), r6 <= 6 ? route(6)[size_t(r6 - 1)] : FareRow{}) << r6;
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
    writeRoute("21", route(300));  // its count must not become the bound
    ASSERT_TRUE(QDir(dir.path()).mkdir("26.hy3"));
    using enum route_set::Outcome;
    const struct {
        const char *route, *section;
        QByteArray bytes;  // the file, when not made above
        route_set::Outcome outcome;
        QString message;  // empty: any message naming the file
    } cases[] = {
        {"99", "1", {}, FileMissing, route_set::messageFileMissing()},
        {"20", "1", QByteArray(2, '\0'), NoRows, route_set::messageNoRows()},
        {"21", "300", {}, SectionTooLarge, route_set::messageSectionTooLarge()},
        {"22", "1", QByteArray::fromHex("2e01"), ReadFailed, {}},  // 302 rows declared
        {"23", "1", QByteArray::fromHex("feff"), ReadFailed, {}},      // -2
        {"24", "1", QByteArray::fromHex("0300") + QByteArray(10, '\0'), ReadFailed, {}},
        {"25", "1", QByteArray(1, '\x01'), ReadFailed, {}},
        {"26", "1", {}, ReadFailed, {}},
    };
    for (const auto &c : cases) {
        if (!c.bytes.isEmpty()) writeRaw(c.route, c.bytes);
        const route_set::Result r = set(c.route, c.section);
        EXPECT_EQ(r.outcome, c.outcome) << c.route;
        EXPECT_FALSE(r.message.isEmpty()) << c.route;
        if (c.outcome == ReadFailed) { EXPECT_TRUE(r.message.contains(c.route + QStringLiteral(".hy3"))) << c.route; }
        if (!c.message.isEmpty()) { EXPECT_EQ(r.message, c.message) << c.route; }
        EXPECT_EQ(trip, before) << c.route;
        EXPECT_EQ(table.Row(7), row7) << c.route;
    }
    EXPECT_TRUE(set("22", "1").message.contains("301"));
    // A folder that does not exist is named, rather than blamed on the route.
    const QString noFolder = dir.filePath(QStringLiteral("gone"));
    const route_set::Result folder =
        route_set::load(route_set::makeRequest(QStringLiteral("2"), QStringLiteral("1")), noFolder, table, trip);
    EXPECT_EQ(folder.outcome, route_set::Outcome::ReadFailed);
    EXPECT_TRUE(folder.message.contains(noFolder));
    EXPECT_EQ(trip, before);
}

// The trip session around the route set: what it announces, in which order, and that
// a refused set or a repeated switch announces nothing.
TEST_F(RouteSet, TheSessionAnnouncesEachChangeOnceAndTheBoardFirst) {
    writeRoute("3", route(2));
    TripSession session;
    QStringList heard;
    QObject::connect(&session, &TripSession::tripChanged, [&] { heard << "trip"; });
    QObject::connect(&session, &TripSession::keypadChanged, [&] { heard << "keypad"; });
    QObject::connect(&session, &TripSession::blankedChanged, [&](bool on) { heard << (on ? "blank" : "lit"); });
    QObject::connect(&session, &TripSession::lateNightChanged, [&](bool on) { heard << (on ? "night" : "day"); });
    QObject::connect(&session, &TripSession::backlightChanged, [&](int level) { heard << QString::number(level); });
    std::vector<BoardContent> shown;
    QObject::connect(&session, &TripSession::boardChanged, [&](const BoardContent &c) {
        shown.push_back(c);
        heard << "board";
    });
    int changes = 0;
    QObject::connect(&session, &TripSession::changed, [&] { ++changes; });

    EXPECT_FALSE(session.setRoute(route_set::makeRequest("4", "1"), dir.path()).loaded());
    session.showRunningRouteOnKeypad();  // nothing runs yet: the keypad keeps what it has
    EXPECT_TRUE(heard.isEmpty());
    for (int key : {kKeyRoute, 3, kKeySection, 1}) session.pressKey(key);
    EXPECT_EQ(session.keypad().route, QStringLiteral("3"));
    ASSERT_TRUE(session.setRoute(route_set::makeRequest("03", "1"), dir.path()).loaded());
    EXPECT_EQ(session.stopName(), QStringLiteral("停留所1"));
    EXPECT_FALSE(session.step(stepping::Back));
    EXPECT_TRUE(session.step(stepping::Forward));
    EXPECT_FALSE(session.step(stepping::Forward));
    EXPECT_EQ(heard, QStringList({"keypad", "keypad", "keypad", "keypad", "trip", "trip"}));

    // A refused set keeps the trip and puts its route back on the keypad.
    EXPECT_FALSE(session.setRoute(route_set::makeRequest("4", "1"), dir.path()).loaded());
    session.showRunningRouteOnKeypad();
    EXPECT_EQ(std::pair(session.keypad().route, session.keypad().section), std::pair(QString("03"), QString("1")));
    EXPECT_EQ(session.trip().CurIndex, 1);

    heard.clear();
    session.setBlanked(true);
    session.setBlanked(true);
    session.setLateNight(true);
    session.setLateNight(true);
    session.setBacklight(2);
    session.setBacklight(3);  // no such level
    session.setBlanked(false);
    EXPECT_EQ(heard, QStringList({"board", "blank", "night", "2", "lit"}));
    EXPECT_EQ(shown.back().kind, BoardContent::Kind::Blank);
    EXPECT_EQ(changes, 4 + 2 + 1 + 5);  // each announcement once, the board's too

    // The stop under the late-night tariff: the second row's fares doubled from cell 1.
    const BoardContent stop = session.currentStop(InfoCellOptions{});
    EXPECT_EQ(stop.row, 2);
    EXPECT_EQ(stop.stopName, QStringLiteral("停留所2"));
    ASSERT_FALSE(stop.writes.empty());
    EXPECT_EQ(stop.writes.front(), (CellWrite{1, QVariant(2 * 201)}));
}
