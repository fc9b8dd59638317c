// What one stop writes into the board's 32 cells, and the ticket's date texts.
#include "core/board_update.h"

#include <gtest/gtest.h>
#include <map>

namespace {

FareRow sampleRow() {
    FareRow r{"上原団地（北）", 230, {}};
    for (int k = 1; k <= FareRow::CellCount; ++k) r.cells[size_t(k - 1)] = qint16(k * 10);
    return r;
}

Trip tripAt(int startSection, const QString &routeNo = "1") {
    Trip t;
    t.StartSection = qint16(startSection);
    t.RowCount = 33;
    t.RouteNo = routeNo;
    return t;
}

// The board after applying the writes in order, starting from an empty board.
std::map<int, QVariant> apply(const BoardWrites &w) {
    std::map<int, QVariant> board;
    for (const CellWrite &c : w.writes) board[c.cell] = c.value;
    return board;
}

}  // namespace

TEST(BoardUpdate, FaresRunFromTheStartSectionTo32) {
    const FareRow row = sampleRow();
    const BoardWrites from1 = boardWrites(row, 1, tripAt(1), {});
    ASSERT_EQ(from1.writes.size(), 32u);
    for (int i = 1; i <= 32; ++i) EXPECT_EQ(from1.writes[static_cast<size_t>(i - 1)], (CellWrite{i, QVariant(i * 10)}));

    // Cells below the start section are never written.
    const BoardWrites from5 = boardWrites(row, 5, tripAt(5), {});
    ASSERT_EQ(from5.writes.size(), 28u);
    EXPECT_EQ(std::pair(from5.writes.front().cell, from5.writes.back().cell), std::pair(5, 32));
    for (const auto &[section, count] : {std::pair{32, 1u}, std::pair{33, 0u}, std::pair{300, 0u}})
        EXPECT_EQ(boardWrites(row, section, tripAt(section), {}).writes.size(), count) << section;
    // Before any route set the section is 0; the loop still starts at cell 1.
    EXPECT_EQ(boardWrites(row, 1, tripAt(0), {}).writes.size(), 32u);
}

TEST(BoardUpdate, LateNightDoublesFaresButNotMarkersOrInformation) {
    FareRow row = sampleRow();
    // Day fare and what the board shows at night; 16384 and -16385 do not fit doubled.
    const int day[] = {230, -1, 0, 16383, 16384, -16384, -16385};
    const int night[] = {460, -1, 0, 32766, 16384, -32768, -16385};
    for (int i = 0; i < 7; ++i) row.cells[static_cast<size_t>(i)] = static_cast<qint16>(day[i]);
    row.cells[39] = 230;  // cell 40, shown as data
    BoardOptions opt{.lateNight = true, .info = {.stopOrder = {}, .ticketNo = {true, 31}, .routeNo = {}, .dataColumn = {true, 32}, .sourceColumn = 40}};

    const BoardWrites w = boardWrites(row, 3, tripAt(1), opt);
    const std::map<int, QVariant> board = apply(w);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(board.at(i + 1), QVariant(night[i])) << "cell " << i + 1;
    for (const auto &[cell, shown] : {std::pair{8, 160}, std::pair{31, 230}, std::pair{32, 230}}) EXPECT_EQ(board.at(cell), QVariant(shown)) << cell;
    EXPECT_EQ(w.overflowCells, (std::vector<int>{5, 7}));

    // Day tariff: nothing doubled, nothing reported.
    opt.lateNight = false;
    const BoardWrites dayWrites = boardWrites(row, 3, tripAt(1), opt);
    EXPECT_EQ(apply(dayWrites).at(1), QVariant(230));
    EXPECT_TRUE(dayWrites.overflowCells.empty());
}

TEST(BoardUpdate, InformationNumbersFollowTheFaresInTheirOrder) {
    const FareRow row = sampleRow();
    BoardOptions opt{.info = {.stopOrder = {true, 1}, .ticketNo = {true, 2}, .routeNo = {true, 3}, .dataColumn = {true, 4}, .sourceColumn = 150}};

    const BoardWrites w = boardWrites(row, 7, tripAt(5, QStringLiteral("00012")), opt);
    // Fares 5..32 first, then a-d.
    std::vector<int> order, expected;
    for (const CellWrite &c : w.writes) order.push_back(c.cell);
    for (int i = 5; i <= 36; ++i) expected.push_back(i <= 32 ? i : i - 32);
    EXPECT_EQ(order, expected);
    const std::map<int, QVariant> board = apply(w);
    // The route as entered, as text: leading zeros kept.
    EXPECT_EQ((std::vector<QVariant>{board.at(1), board.at(2), board.at(3), board.at(4)}),
              (std::vector<QVariant>{7, 230, QStringLiteral("00012"), 1500}));
    EXPECT_EQ(board.at(3).typeId(), QMetaType::QString);

    opt.info.countFromZero = true;
    EXPECT_EQ(apply(boardWrites(row, 7, tripAt(5), opt)).at(1), QVariant(6));
    EXPECT_EQ(apply(boardWrites(row, 1, tripAt(1), opt)).at(1), QVariant(0));
    // An information number may land below the start section.
    EXPECT_EQ(apply(boardWrites(row, 7, tripAt(33), opt)).size(), 4u);

    // All four aimed at one cell over a fare: the last in the order wins.
    BoardOptions same{.info = {.stopOrder = {true, 20}, .ticketNo = {true, 20}, .routeNo = {true, 20}, .dataColumn = {true, 20}, .sourceColumn = 33}};
    EXPECT_EQ(apply(boardWrites(row, 7, tripAt(1), same)).at(20), QVariant(330));
    same.info.dataColumn.enabled = false;
    EXPECT_EQ(apply(boardWrites(row, 7, tripAt(1, QStringLiteral("045")), same)).at(20), QVariant(QStringLiteral("045")));

    // Targets and sources outside the board or the row are skipped, never read;
    // disabled options write nothing even with valid targets.
    const BoardOptions bad{.info = {.stopOrder = {true, 0}, .ticketNo = {true, 33}, .routeNo = {false, 1}, .dataColumn = {true, 5}, .sourceColumn = 151}};
    EXPECT_TRUE(boardWrites(row, 7, tripAt(33), bad).writes.empty());
}

TEST(BoardUpdate, TicketDateAndTimeTexts) {
    const QDate today(2024, 3, 5);
    Trip trip;
    trip.TicketDate = QStringLiteral("12-31-2023");
    const QString fixed = QStringLiteral("2020/01/02");

    EXPECT_EQ(dateText(QDate(987, 11, 9)).size(), 10);
    EXPECT_EQ(QStringList({timeText(QTime(13, 4, 5)), timeText(QTime(0, 0, 0))}), QStringList({"13:04:05", "00:00:00"}));
    EXPECT_EQ(QStringList({ticketDateText(0, today, trip, fixed), ticketDateText(1, today, trip, fixed), ticketDateText(2, today, trip, fixed),
                           routeSetTicketDate(0, today, fixed), routeSetTicketDate(1, today, fixed), routeSetTicketDate(2, today, fixed)}),
              QStringList({"03-05-2024", "12-31-2023", fixed, "03-05-2024", "03-05-2024", fixed}));
}
