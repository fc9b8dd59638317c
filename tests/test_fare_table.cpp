// The fare table: column mapping, and the refusals that leave it as it was.
#include "core/fare_table.h"

#include <gtest/gtest.h>

TEST(FareTable, ColumnsMapToNameTicketAndCells) {
    FareTable t;
    // A number in the name column is kept as its text; a numeric text is a number.
    const std::tuple<int, int, QVariant> writes[] = {{1, 1, "中央駅前"}, {1, 2, 7}, {1, 3, 170}, {1, 152, -1}, {301, 34, 2}, {2, 1, 42}, {2, 2, " -5 "}};
    for (const auto &[r, c, v] : writes) EXPECT_EQ(t.SetFareData(r, c, v), FareDataError::Ok) << r << "," << c;

    FareRow row1{QStringLiteral("中央駅前"), 7, {170}};
    row1.cells[149] = -1;
    EXPECT_EQ(t.Row(1), row1);
    EXPECT_EQ(t.Row(301).Cell(32), 2);
    EXPECT_EQ(t.Row(2), (FareRow{"42", -5, {}}));
}

TEST(FareTable, RefusedValuesLeaveTheTableAsItWas) {
    FareTable t;
    t.setRow(1, {"A", 3, {190}});
    t.SetFareData(301, 3, 210);
    const FareRow before1 = t.Row(1), before301 = t.Row(301);

    struct Case {
        int row, column;
        QVariant value;
        FareDataError error;
    };
    const auto Range = FareDataError::SubscriptOutOfRange, Overflow = FareDataError::Overflow, Type = FareDataError::TypeMismatch;
    const Case cases[] = {
        // Rows outside 1..301 and columns outside 1..152.
        {0, 3, 1, Range}, {302, 3, 1, Range}, {-1, 1, "x", Range}, {1, 0, 1, Range}, {1, 153, 1, Range}, {301, -4, 1, Range},
        // Numbers must fit 16 bits; texts must be numbers.
        {1, 3, 32768, Overflow}, {1, 3, -32769, Overflow}, {1, 2, "40000", Overflow}, {1, 3, 1e9, Overflow},
        {1, 3, "170円", Type}, {1, 2, QVariant(), Type},
    };
    for (const Case &c : cases) EXPECT_EQ(t.SetFareData(c.row, c.column, c.value), c.error) << c.row << "," << c.column;
    EXPECT_EQ(t.Row(1), before1);
    EXPECT_EQ(t.Row(301), before301);
    EXPECT_TRUE(describe(FareDataError::SubscriptOutOfRange, 302, 3).contains(QStringLiteral("302")));

    EXPECT_EQ(t.SetFareData(1, 3, 32767), FareDataError::Ok);
    EXPECT_EQ(t.SetFareData(1, 4, -32768), FareDataError::Ok);
    // Reading or writing outside the table never reaches outside it.
    EXPECT_EQ(t.Row(0), FareRow{});
    EXPECT_EQ(t.Row(302), FareRow{});
    EXPECT_EQ(t.Row(1).Cell(0), 0);
    EXPECT_EQ(t.Row(1).Cell(151), 0);
    EXPECT_FALSE(t.setStopName(302, QStringLiteral("x")));
    EXPECT_FALSE(t.setRow(0, FareRow{}));
    EXPECT_FALSE(t.setRow(302, FareRow{}));
    EXPECT_EQ(t.Row(1), (FareRow{QStringLiteral("A"), 3, {32767, -32768}}));
}
