// Stepping bounds and the choice of the step sound from the row stepped to.
#include "core/stepping.h"

#include <gtest/gtest.h>

namespace {

Trip trip(int curIndex, int rowCount) {
    Trip t;
    t.CurIndex = static_cast<qint16>(curIndex);
    t.RowCount = static_cast<qint16>(rowCount);
    t.StartSection = 1;
    return t;
}

}  // namespace

TEST(Stepping, StopsAtTheEndsOfTheTripAndOfTheTable) {
    Trip t = trip(2, 3);
    EXPECT_FALSE(stepping::step(t, stepping::Forward));
    EXPECT_EQ(t.CurIndex, 2);
    EXPECT_TRUE(stepping::step(t, stepping::Back));
    EXPECT_TRUE(stepping::step(t, stepping::Back));
    EXPECT_FALSE(stepping::step(t, stepping::Back));
    EXPECT_EQ(t.CurIndex, 0);
    EXPECT_TRUE(stepping::step(t, stepping::Forward));
    EXPECT_EQ(t.currentRow(), 2);

    // No route loaded: nothing moves; unknown indices never move.
    EXPECT_FALSE(stepping::target(Trip{}, stepping::Forward));
    EXPECT_FALSE(stepping::target(Trip{}, stepping::Back));
    EXPECT_FALSE(stepping::target(trip(1, 5), 2));
    EXPECT_FALSE(stepping::target(trip(1, 5), -1));

    // Whatever RowCount says, the table's 301 rows are the limit.
    t = trip(299, 32000);
    EXPECT_TRUE(stepping::step(t, stepping::Forward));
    EXPECT_FALSE(stepping::step(t, stepping::Forward));
    EXPECT_EQ(t.currentRow(), 301);
    // A current index beyond the table or below 0 is brought back inside.
    EXPECT_EQ(stepping::target(trip(500, 600), stepping::Back), 300);
    EXPECT_FALSE(stepping::target(trip(500, 600), stepping::Forward));
    EXPECT_FALSE(stepping::target(trip(-3, 5), stepping::Back));
    EXPECT_EQ(stepping::target(trip(-3, 5), stepping::Forward), 0);
}

TEST(Stepping, SoundComesFromTheNewRow) {
    FareTable table;
    const int marks[] = {1, 2, 3, 4, 0, -1};
    for (int r = 1; r <= 6; ++r) table.SetFareData(r, 2 + 33, marks[r - 1]);  // cell 33

    // Always mode plays txtSelectSound(7) whatever the row holds.
    EXPECT_EQ(stepping::soundIndex(table.Row(5), true, 33), 7);
    EXPECT_EQ(stepping::soundIndex(table.Row(5), true, 0), 7);
    // By column: 1, 2, 3 pick 8, 9, 10; anything else plays nothing.
    const std::optional<int> expected[] = {8, 9, 10, std::nullopt, std::nullopt, std::nullopt};
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(stepping::soundIndex(table.Row(r), false, 33), expected[r - 1]) << r;
    // No column chosen, or one beyond the row: nothing.
    EXPECT_EQ(stepping::soundIndex(table.Row(1), false, 0), std::nullopt);
    EXPECT_EQ(stepping::soundIndex(table.Row(1), false, 151), std::nullopt);
}
