// The fare table: column mapping, and the refusals that leave it as it was.
#include "core/fare_table.h"

#include <gtest/gtest.h>

TEST(FareTable, ColumnsMapToNameTicketAndCells) {
    DataIo t;
    EXPECT_EQ(t.SetFareData(1, 1, QStringLiteral("中央駅前")), FareDataError::Ok);
    EXPECT_EQ(t.SetFareData(1, 2, 7), FareDataError::Ok);
    EXPECT_EQ(t.SetFareData(1, 3, 170), FareDataError::Ok);
    EXPECT_EQ(t.SetFareData(1, 152, -1), FareDataError::Ok);
    EXPECT_EQ(t.SetFareData(301, 34, 2), FareDataError::Ok);
    // A number in the name column is kept as its text; a numeric text is a number.
    EXPECT_EQ(t.SetFareData(2, 1, 42), FareDataError::Ok);
    EXPECT_EQ(t.SetFareData(2, 2, QStringLiteral(" -5 ")), FareDataError::Ok);

    FareRow row1{QStringLiteral("中央駅前"), 7, {170}};
    row1.cells[149] = -1;
    EXPECT_EQ(t.Row(1), row1);
    EXPECT_EQ(t.Row(301).Cell(32), 2);
    EXPECT_EQ(t.Row(2).StopName, QStringLiteral("42"));
    EXPECT_EQ(t.Row(2).TicketNo, -5);
}

TEST(FareTable, RefusedValuesLeaveTheTableAsItWas) {
    DataIo t;
    t.SetFareData(1, 1, QStringLiteral("A"));
    t.SetFareData(1, 2, 3);
    t.SetFareData(1, 3, 190);
    t.SetFareData(301, 3, 210);
    const FareRow before1 = t.Row(1), before301 = t.Row(301);

    struct Case {
        int row, column;
        QVariant value;
        FareDataError error;
    };
    const Case cases[] = {
        // Rows outside 1..301 and columns outside 1..152.
        {0, 3, 1, FareDataError::SubscriptOutOfRange},
        {302, 3, 1, FareDataError::SubscriptOutOfRange},
        {-1, 1, QStringLiteral("x"), FareDataError::SubscriptOutOfRange},
        {1, 0, 1, FareDataError::SubscriptOutOfRange},
        {1, 153, 1, FareDataError::SubscriptOutOfRange},
        {301, -4, 1, FareDataError::SubscriptOutOfRange},
        // Numbers must fit 16 bits; texts must be numbers.
        {1, 3, 32768, FareDataError::Overflow},
        {1, 3, -32769, FareDataError::Overflow},
        {1, 2, QStringLiteral("40000"), FareDataError::Overflow},
        {1, 3, 1e9, FareDataError::Overflow},
        {1, 3, QStringLiteral("170円"), FareDataError::TypeMismatch},
        {1, 2, QVariant(), FareDataError::TypeMismatch},
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
