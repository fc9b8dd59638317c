// The route editor's document: the three fills against fares worked out by hand,
// the checks, typed input, pasting a tab-separated block, and undo of a fill.
#include "core/route_checks.h"
#include "core/route_fills.h"
#include "core/route_tsv.h"
#include "editor/route_session.h"

#include <gtest/gtest.h>

using namespace route;

namespace {

// Four stops; nobody boards at 中町 (no ticket), so the terminal's ticket is 3.
Document fourStops() {
    Document d;
    d.stops = {{"東駅", {}, 1, 1, 0}, {"中町", {}, 0, 1, 1.5}, {"西町", {}, 2, 2, 3.2}, {"車庫前", {}, 3, 3, 6.0}};
    for (Stop &s : d.stops) s.cells[40] = 7;  // data beyond the fares, which no fill may touch
    d.stops[1].cells[5] = 999;                // a stray fare the fill must clear
    return d;
}

using Table3 = std::vector<std::array<int, 3>>;

// Cells 1..3 of each row.
Table3 fares(const Document &d) {
    Table3 out;
    for (const Stop &s : d.stops) {
        out.push_back({s.cells[0], s.cells[1], s.cells[2]});
        EXPECT_EQ(s.cells[5], 0) << "board cells without a ride are 0";
        EXPECT_EQ(s.cells[40], 7) << "cells beyond 32 are left alone";
    }
    return out;
}

}  // namespace

TEST(RouteFills, FlatZoneAndDistanceFaresMatchTheTablesWorkedOutByHand) {
    Document flat = fourStops();
    EXPECT_EQ(fill(flat, FlatFare{200}), 4);  // ticket 1 to the three later stops, ticket 2 to the last
    EXPECT_EQ(fares(flat), (Table3{{0, 0, 0}, {200, 0, 0}, {200, 0, 0}, {200, 200, 0}}));

    // Zones 1 1 2 3; 1-1 free (written -1), 1-2 210, 1-3 260, 2-3 unknown.
    Document zoned = fourStops();
    ZoneFares z;
    z.set(1, 1, 0);
    z.set(2, 1, 210);
    z.set(1, 3, 260);
    int missing = 0;
    EXPECT_EQ(fill(zoned, z, &missing), 3);
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(fares(zoned), (Table3{{0, 0, 0}, {-1, 0, 0}, {210, 0, 0}, {260, 0, 0}}));
    EXPECT_EQ(zonesOf(zoned), (QList<int>{1, 2, 3}));

    // 170 yen for the first 2 km, 35 yen for each further km or part, to the nearest 10 yen:
    // 東駅→中町 1.5 km 170; →西町 3.2 km 2 bands 240; →車庫前 6.0 km 4 bands 310;
    // 西町→車庫前 2.8 km 1 band 205 → 210.
    Document km = fourStops();
    EXPECT_EQ(fill(km, DistanceFares{170, 2, 1, 35}), 4);
    EXPECT_EQ(fares(km), (Table3{{0, 0, 0}, {170, 0, 0}, {240, 0, 0}, {310, 210, 0}}));
    // Exactly on a band's end is that band, not the next; 4.5 km is 3 bands, 275 → 280.
    EXPECT_EQ((DistanceFares{170, 2, 1, 35}.fare(3.0)), 210);
    EXPECT_EQ((DistanceFares{170, 2, 1, 35}.fare(4.5)), 280);
    EXPECT_EQ((DistanceFares{170, 2, 0.5, 12.4}.fare(2.4)), 180);  // 1 band: 182.4
    EXPECT_EQ((DistanceFares{170, 2, 0.5, 12.4}.fare(2.6)), 190);  // 2 bands: 194.8
}

TEST(RouteChecks, ListEachProblemWithItsCell) {
    Document d = fourStops();
    fill(d, FlatFare{200});
    Checker checker;
    EXPECT_EQ(firstError(checker.check(d)), nullptr);

    d.stops[2].name = QStringLiteral("西町\U0001F68C");  // a bus CP932 cannot draw
    d.stops[3].ticket = 2;                            // used twice
    d.stops[0].cells[2] = 300;                        // ticket 3 is not taken before the first stop
    d.stops[1].cells[0] = -5;                         // outside -1..32767
    d.tape.push_back({QStringLiteral(" 次は、\"西町\"です。"), 1, 1});  // needs quotes and holds one
    const std::vector<Problem> got = checker.check(d);
    auto has = [&](Problem::Severity sev, Table t, int row, int col) {
        return std::any_of(got.begin(), got.end(), [&](const Problem &p) {
            return p.severity == sev && p.table == t && p.row == row && p.column == col;
        });
    };
    const auto E = Problem::Severity::Error, W = Problem::Severity::Warning;
    EXPECT_TRUE(has(E, Table::Stops, 2, stop_column::Name));
    EXPECT_TRUE(has(E, Table::Stops, 3, stop_column::Ticket));
    EXPECT_TRUE(has(W, Table::Fares, 0, 2));
    EXPECT_TRUE(has(E, Table::Fares, 1, 0));
    EXPECT_TRUE(has(E, Table::Tape, 0, tape_column::Text));
    ASSERT_NE(firstError(got), nullptr);
    EXPECT_EQ(firstError(got)->located(), QStringLiteral("停留所 3行目 停留所名: CP932で表せない文字があります: \U0001F68C"));

    d = fourStops();
    d.stops.resize(MaxStops + 1, d.stops.back());
    numberTickets(d);
    const std::vector<Problem> many = checker.check(d);
    EXPECT_TRUE(std::any_of(many.begin(), many.end(), [](const Problem &p) { return p.isError() && p.row == MaxStops; }));
}

TEST(RouteInput, TypedTextsBecomeTheCellsValues) {
    const struct {
        Table table;
        int column;
        const char16_t *typed;
        std::optional<QVariant> value;  // none: refused
    } cases[] = {{Table::Fares, 0, u"２３０", 230}, {Table::Fares, 0, u" 230 ", 230}, {Table::Fares, 0, u"－１", -1},
                 {Table::Fares, 0, u"", 0}, {Table::Fares, 0, u"40000", {}}, {Table::Stops, stop_column::Ticket, u"なし", 0},
                 {Table::Stops, stop_column::Km, u"３.５", 3.5}, {Table::Stops, stop_column::Km, u"-1", {}},
                 {Table::Tape, tape_column::Text, u"a\nb", {}}, {Table::Fares, 0, u"二百", {}}};
    QString why;
    for (const auto &c : cases) EXPECT_EQ(parseInput(c.table, c.column, QString::fromUtf16(c.typed), &why), c.value) << QString::fromUtf16(c.typed).toStdString();
    EXPECT_EQ(why, QStringLiteral("「二百」は整数ではありません。"));
}

TEST(RoutePaste, ABlockOfTabSeparatedTextFillsCellsAndAddsRows) {
    const QList<QStringList> block = tsv::parse(QStringLiteral("東駅\tひがしえき\t1\r\n\"北,町\"\t\t２\r\n南町\t\tabc\r\n"));
    ASSERT_EQ(block.size(), 3);
    EXPECT_EQ(block[1], (QStringList{QStringLiteral("北,町"), QString(), QStringLiteral("２")}));
    Document d;
    insertRows(d, Table::Stops, 0, 1);
    const Pasted p = paste(d, Table::Stops, 0, 0, block);
    ASSERT_EQ(p.doc.stops.size(), 3u);
    EXPECT_EQ(p.doc.stops[0].reading, QStringLiteral("ひがしえき"));
    EXPECT_EQ(p.doc.stops[1].name, QStringLiteral("北,町"));
    EXPECT_EQ(p.doc.stops[1].ticket, 2);
    EXPECT_EQ(p.cells, 8);
    ASSERT_EQ(p.refused.size(), 1);
    EXPECT_TRUE(p.refused[0].startsWith(QStringLiteral("3行目 整理券番号:")));
    // Copying gives the same block back (the refused cell keeps the new row's number).
    EXPECT_EQ(copy(p.doc, Table::Stops, 0, 0, 1, 0), (QList<QStringList>{{QStringLiteral("東駅")}, {QStringLiteral("北,町")}}));
    EXPECT_EQ(tsv::parse(tsv::format(block)), block);
}

TEST(RouteSession, AFillIsOneEditThatUndoAndRedoTakeBackAndRedo) {
    Session s;
    s.replace(fourStops(), QStringLiteral("stops"));
    s.undoStack()->setClean();
    const Document before = s.doc();
    Document filled = before;
    fill(filled, FlatFare{200});
    s.replace(filled, QStringLiteral("fill"));
    EXPECT_TRUE(s.modified());
    EXPECT_EQ(s.doc().stops[3].cells[1], 200);
    s.undoStack()->undo();
    EXPECT_EQ(s.doc(), before);
    EXPECT_FALSE(s.modified());
    s.undoStack()->redo();
    EXPECT_EQ(s.doc(), filled);
    // A cell edit is its own step; a value equal to the cell's is no step.
    const int steps = s.undoStack()->count();
    EXPECT_TRUE(s.setCell(Table::Fares, 3, 1, 200));
    EXPECT_EQ(s.undoStack()->count(), steps);
    EXPECT_TRUE(s.setCell(Table::Fares, 3, 1, 230));
    EXPECT_FALSE(s.setCell(Table::Fares, 3, 1, 40000));
    s.undoStack()->undo();
    EXPECT_EQ(s.doc(), filled);
}
