#include "core/board_update.h"

#include <limits>

namespace {

bool validTarget(int cell) { return cell >= 1 && cell <= BoardCells; }

}  // namespace

qint16 lateNightFare(qint16 dayFare, bool *overflow) {
    if (overflow) *overflow = false;
    if (dayFare == -1) return dayFare;
    const int doubled = 2 * static_cast<int>(dayFare);
    if (doubled < std::numeric_limits<qint16>::min() || doubled > std::numeric_limits<qint16>::max()) {
        if (overflow) *overflow = true;
        return dayFare;
    }
    return static_cast<qint16>(doubled);
}

BoardWrites boardWrites(const FareRow &row, int rowNo, const Trip &trip, const BoardOptions &options) {
    BoardWrites out;
    out.writes.reserve(BoardCells + 4);
    // Before any route set StartSection is 0; the first cell is still 1.
    for (int i = qMax<int>(trip.StartSection, 1); i <= BoardCells; ++i) {
        qint16 v = row.Cell(i);
        if (options.lateNight) {
            bool overflow = false;
            v = lateNightFare(v, &overflow);
            if (overflow) out.overflowCells.push_back(i);
        }
        out.writes.push_back({i, QVariant(static_cast<int>(v))});
    }

    const InfoCellOptions &info = options.info;
    if (info.stopOrder.enabled && validTarget(info.stopOrder.cell))
        out.writes.push_back({info.stopOrder.cell, QVariant(info.countFromZero ? rowNo - 1 : rowNo)});
    if (info.ticketNo.enabled && validTarget(info.ticketNo.cell))
        out.writes.push_back({info.ticketNo.cell, QVariant(static_cast<int>(row.TicketNo))});
    if (info.routeNo.enabled && validTarget(info.routeNo.cell))
        out.writes.push_back({info.routeNo.cell, QVariant(trip.RouteNo)});
    if (info.dataColumn.enabled && validTarget(info.dataColumn.cell) &&
        FareRow::hasCell(info.sourceColumn))
        out.writes.push_back(
            {info.dataColumn.cell, QVariant(static_cast<int>(row.Cell(info.sourceColumn)))});
    return out;
}

QString dateText(const QDate &date) { return date.toString(QStringLiteral("MM-dd-yyyy")); }

QString timeText(const QTime &time) { return time.toString(QStringLiteral("HH:mm:ss")); }

QString ticketDateText(int mode, const QDate &today, const Trip &trip, const QString &fixedDate) {
    switch (mode) {
    case 1:
        return trip.TicketDate;
    case 2:
        return fixedDate;
    default:
        return dateText(today);
    }
}

QString routeSetTicketDate(int mode, const QDate &today, const QString &fixedDate) {
    return mode == 2 ? fixedDate : dateText(today);
}
