#pragma once
// The fare table: rows 1..301 of one stop each (name, ticket number, 150 cells).
// Cells 1..32 are the fares of the 32 board cells; cells 33..150 carry further
// per-stop data the options can show or test. It lives for the whole run and is
// replaced by every successful route set.
#include <QJsonObject>
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>

struct FareRow {
    static constexpr int CellCount = 150;

    QString StopName;
    qint16 TicketNo = 0;
    std::array<qint16, CellCount> cells{};  // cells[k - 1] is Cell(k)

    // Cell k (1..150); 0 for any other k, so a stray column from the options
    // can never read outside the row.
    qint16 Cell(int k) const { return hasCell(k) ? cells[static_cast<size_t>(k - 1)] : 0; }
    static bool hasCell(int k) { return k >= 1 && k <= CellCount; }

    bool operator==(const FareRow &) const = default;

    // {"StopName", "TicketNo", "Cell": [150 values]}, for the scripted operation's dump.
    QJsonObject toJson() const;
};

// Why SetFareData refused a value. The table is unchanged in every case but Ok.
enum class FareDataError {
    Ok,
    SubscriptOutOfRange,  // row outside 1..301, or column outside 1..152
    Overflow,             // a number that does not fit a 16-bit signed integer
    TypeMismatch,         // a text where a number is needed
};

// A message for a refused SetFareData, naming row and column.
QString describe(FareDataError error, int row, int column);

class FareTable {
public:
    static constexpr int MaxRows = 301;
    // Column 1 is the stop name, column 2 the ticket number, column c (3..152)
    // is Cell(c - 2).
    static constexpr int NameColumn = 1;
    static constexpr int TicketColumn = 2;
    static constexpr int LastColumn = FareRow::CellCount + 2;

    FareTable();

    // Stores one value. Column 1 takes the value as text; the other columns take
    // it as a 16-bit integer (an integral number, or a text of one). A refused
    // value leaves the table as it was.
    FareDataError SetFareData(int row, int column, const QVariant &value);

    // Every row back to an empty name, ticket number 0 and all cells 0.
    void ClearFareData();

    // Stores a whole row at once (what SetFareData does for its 152 columns,
    // without converting each value). False, and nothing stored, outside 1..301.
    bool setRow(int row, const FareRow &contents);

    static bool hasRow(int row) { return row >= 1 && row <= MaxRows; }

    // Row 1..301. Any other row gives an empty row rather than reading outside.
    const FareRow &Row(int row) const;

    // The stop name is the one field a caller may change in place (a ticket
    // plug-in may hand back a rewritten name). False outside 1..301.
    bool setStopName(int row, const QString &name);

private:
    std::array<FareRow, MaxRows> rows_;
    static const FareRow emptyRow_;
};
