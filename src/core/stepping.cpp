#include "core/stepping.h"

namespace stepping {

std::optional<qint16> target(const Trip &trip, int index) {
    if (index == Back) {
        if (trip.CurIndex <= 0) return std::nullopt;
        // A trip left beyond the table by some earlier state comes back inside it.
        return static_cast<qint16>(qMin<int>(trip.CurIndex - 1, FareTable::MaxRows - 1));
    }
    if (index == Forward) {
        const int lastIndex = qMin<int>(trip.RowCount, FareTable::MaxRows) - 1;
        if (trip.CurIndex >= lastIndex) return std::nullopt;
        return static_cast<qint16>(qMax<int>(trip.CurIndex + 1, 0));
    }
    return std::nullopt;
}

bool step(Trip &trip, int index) {
    const std::optional<qint16> next = target(trip, index);
    if (!next) return false;
    trip.CurIndex = *next;
    return true;
}

std::optional<int> soundIndex(const FareRow &newRow, bool always, int column) {
    if (always) return 7;
    if (!FareRow::hasCell(column)) return std::nullopt;
    switch (newRow.Cell(column)) {
    case 1:
        return 8;
    case 2:
        return 9;
    case 3:
        return 10;
    default:
        return std::nullopt;
    }
}

}  // namespace stepping
