#pragma once
// What one stop puts on the board, as plain data: the writes into the 32 fare
// cells (fares, then information numbers) and the date and time texts of the
// ticket. The control panel applies the writes to the digit displays in order.
#include "core/fare_table.h"
#include "core/info_cells.h"
#include "core/trip.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <vector>

inline constexpr int BoardCells = 32;

struct CellWrite {
    int cell = 1;    // 1..32
    QVariant value;  // int (16-bit) or QString (the route number as entered)
    bool operator==(const CellWrite &o) const { return cell == o.cell && value == o.value; }
};

struct BoardOptions {
    bool lateNight = false;   // Check2 "深夜料金"
    InfoCellOptions info;     // the information numbers of the options
};

struct BoardWrites {
    // In the order they must be applied: a later write to the same cell wins.
    std::vector<CellWrite> writes;
    // Cells whose late-night double does not fit 16 bits: they show the day fare.
    std::vector<int> overflowCells;
};

// The writes for fare-table row `rowNo` (its contents in `row`):
//  - fares of cells StartSection..32 (none when StartSection > 32), doubled under
//    the late-night tariff except the marker -1; cells below StartSection untouched;
//  - then, each when enabled, in this order: the row number (rowNo - 1 when
//    counting from 0), the ticket number, the route number as entered (text),
//    the data cell of the row. Information numbers are never doubled. Targets
//    outside 1..32 and source cells outside 1..150 are skipped.
BoardWrites boardWrites(const FareRow &row, int rowNo, const Trip &trip, const BoardOptions &options);

// The late-night fare of a day fare: doubled, -1 kept, and the day fare kept
// when the double does not fit 16 bits (`overflow` set then).
qint16 lateNightFare(qint16 dayFare, bool *overflow = nullptr);

// "MM-dd-yyyy", the 10-character date the ticket carries.
QString dateText(const QDate &date);
// "hh:mm:ss", 24-hour.
QString timeText(const QTime &time);

// The ticket date for a board update. Mode 0: today; 1: the date kept in the trip
// (captured at the route set); 2: the fixed date of the options, as written there.
QString ticketDateText(int mode, const QDate &today, const Trip &trip, const QString &fixedDate);

// The ticket date to keep at a route set: today for modes 0 and 1, the fixed date
// for mode 2.
QString routeSetTicketDate(int mode, const QDate &today, const QString &fixedDate);
