#pragma once
// The trip: which route is loaded and which stop is current. One instance, owned
// by the control panel, replaced as a whole by each successful route set.
#include <QJsonObject>
#include <QString>
#include <cstdint>

struct Trip {
    // Zero-based index of the current row; the row on the board is CurIndex + 1.
    qint16 CurIndex = 0;
    // Rows of the loaded route (0 before any route is loaded).
    qint16 RowCount = 0;
    // The section entered at the last route set, 1..300: the first row shown and
    // the first board cell that carries a fare. 0 before any route is loaded.
    qint16 StartSection = 0;
    // The route number exactly as entered (leading zeros kept); empty at first.
    QString RouteNo;
    // The ticket date captured at the last route set.
    QString TicketDate;

    // The fare-table row on the board.
    int currentRow() const { return CurIndex + 1; }
    bool loaded() const { return RowCount > 0; }

    bool operator==(const Trip &) const = default;

    // The trip under the names the scripted operation's dump uses.
    QJsonObject toJson() const {
        return {{QStringLiteral("CurIndex"), CurIndex},
                {QStringLiteral("RowCount"), RowCount},
                {QStringLiteral("StartSection"), StartSection},
                {QStringLiteral("RouteNo"), RouteNo},
                {QStringLiteral("TicketDate"), TicketDate}};
    }
};
