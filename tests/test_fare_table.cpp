// The fare table: column mapping, subscript and range refusals, clearing.
#include "app/fare_table.h"
#include "app/trip.h"

#include <QJsonArray>

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

    EXPECT_EQ(t.Row(1).StopName, QStringLiteral("中央駅前"));
    EXPECT_EQ(t.Row(1).TicketNo, 7);
    EXPECT_EQ(t.Row(1).Cell(1), 170);
    EXPECT_EQ(t.Row(1).Cell(150), -1);
    EXPECT_EQ(t.Row(1).Cell(2), 0);
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
    const FareRow before1 = t.Row(1);
    const FareRow before301 = t.Row(301);

    // Rows outside 1..301 and columns outside 1..152 are subscript errors.
    EXPECT_EQ(t.SetFareData(0, 3, 1), FareDataError::SubscriptOutOfRange);
    EXPECT_EQ(t.SetFareData(302, 3, 1), FareDataError::SubscriptOutOfRange);
    EXPECT_EQ(t.SetFareData(-1, 1, QStringLiteral("x")), FareDataError::SubscriptOutOfRange);
    EXPECT_EQ(t.SetFareData(1, 0, 1), FareDataError::SubscriptOutOfRange);
    EXPECT_EQ(t.SetFareData(1, 153, 1), FareDataError::SubscriptOutOfRange);
    EXPECT_EQ(t.SetFareData(301, -4, 1), FareDataError::SubscriptOutOfRange);
    // Numbers must fit 16 bits; texts must be numbers.
    EXPECT_EQ(t.SetFareData(1, 3, 32768), FareDataError::Overflow);
    EXPECT_EQ(t.SetFareData(1, 3, -32769), FareDataError::Overflow);
    EXPECT_EQ(t.SetFareData(1, 2, QStringLiteral("40000")), FareDataError::Overflow);
    EXPECT_EQ(t.SetFareData(1, 3, 1e9), FareDataError::Overflow);
    EXPECT_EQ(t.SetFareData(1, 3, QStringLiteral("170円")), FareDataError::TypeMismatch);
    EXPECT_EQ(t.SetFareData(1, 2, QVariant()), FareDataError::TypeMismatch);

    EXPECT_EQ(t.Row(1), before1);
    EXPECT_EQ(t.Row(301), before301);
    EXPECT_EQ(t.SetFareData(1, 3, 32767), FareDataError::Ok);
    EXPECT_EQ(t.SetFareData(1, 4, -32768), FareDataError::Ok);
    EXPECT_EQ(t.Row(1).Cell(1), 32767);
    EXPECT_EQ(t.Row(1).Cell(2), -32768);

    // Reading outside the table never reaches outside it.
    EXPECT_EQ(t.Row(0), FareRow{});
    EXPECT_EQ(t.Row(302), FareRow{});
    EXPECT_EQ(t.Row(1).Cell(0), 0);
    EXPECT_EQ(t.Row(1).Cell(151), 0);
    EXPECT_FALSE(t.setStopName(302, QStringLiteral("x")));
    EXPECT_FALSE(t.setRow(0, FareRow{}));
    EXPECT_FALSE(t.setRow(302, FareRow{}));
    EXPECT_EQ(t.Row(1), (FareRow{QStringLiteral("A"), 3, {32767, -32768}}));

    EXPECT_TRUE(describe(FareDataError::SubscriptOutOfRange, 302, 3).contains(QStringLiteral("302")));
}

TEST(FareTable, ClearEmptiesEveryRow) {
    DataIo t;
    for (int r : {1, 150, 301}) {
        t.SetFareData(r, 1, QStringLiteral("停留所"));
        t.SetFareData(r, 2, r);
        t.SetFareData(r, 152, 9);
    }
    t.ClearFareData();
    for (int r : {1, 150, 301}) EXPECT_EQ(t.Row(r), FareRow{}) << r;
}

TEST(FareTable, RowAndTripAsDumpObjects) {
    FareRow row;
    row.StopName = QStringLiteral("港町");
    row.TicketNo = 6;
    row.cells[0] = 210;
    row.cells[149] = -1;
    const QJsonObject r = row.toJson();
    EXPECT_EQ(r.value(QStringLiteral("StopName")).toString(), QStringLiteral("港町"));
    EXPECT_EQ(r.value(QStringLiteral("TicketNo")).toInt(), 6);
    const QJsonArray cells = r.value(QStringLiteral("Cell")).toArray();
    ASSERT_EQ(cells.size(), 150);
    EXPECT_EQ(cells.at(0).toInt(), 210);
    EXPECT_EQ(cells.at(149).toInt(), -1);

    Trip t;
    t.CurIndex = 4;
    t.RowCount = 8;
    t.StartSection = 2;
    t.RouteNo = QStringLiteral("00012");
    t.TicketDate = QStringLiteral("03-05-2024");
    const QJsonObject j = t.toJson();
    EXPECT_EQ(j.value(QStringLiteral("CurIndex")).toInt(), 4);
    EXPECT_EQ(j.value(QStringLiteral("RowCount")).toInt(), 8);
    EXPECT_EQ(j.value(QStringLiteral("StartSection")).toInt(), 2);
    EXPECT_EQ(j.value(QStringLiteral("RouteNo")).toString(), QStringLiteral("00012"));
    EXPECT_EQ(j.value(QStringLiteral("TicketDate")).toString(), QStringLiteral("03-05-2024"));
}
