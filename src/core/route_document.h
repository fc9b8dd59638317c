#pragma once
// A route as the route editor holds it: its stops in running order (name, the
// reading that announcements speak, ticket number, zone, distance, 150 cells)
// and its announcement list. Three tables look at it: stops, fares (one row per
// stop, the 150 cells) and the announcement list. Every edit goes through the
// functions here, so the windows, the tests and the scripted operation change a
// route the same way.
#include <QString>
#include <QVariant>

#include <array>
#include <optional>
#include <vector>

namespace route {

inline constexpr int MaxStops = 301;    // what a fare data file holds
inline constexpr int CellCount = 150;   // cells per stop
inline constexpr int BoardCells = 32;   // cells that are fares on the board
inline constexpr int MaxRouteNumber = 99999;

struct Stop {
    QString name;
    QString reading;   // what announcements speak; the name when empty
    qint16 ticket = 0; // 整理券番号; 0: no ticket is taken here
    int zone = 0;      // for zone fares
    double km = 0;     // distance from the first stop, for distance fares
    std::array<qint16, CellCount> cells{};  // cells[k - 1] is cell k

    QString spoken() const { return reading.isEmpty() ? name : reading; }
    bool operator==(const Stop &) const = default;
};

struct Announcement {
    QString text;
    qint16 step = 0;   // 1: the fares step with it
    qint16 sound = 0;  // 1..3: the sound before it
    bool operator==(const Announcement &) const = default;
};

struct Document {
    std::vector<Stop> stops;
    std::vector<Announcement> tape;
    bool operator==(const Document &) const = default;
};

enum class Table { Stops, Fares, Tape };

namespace stop_column {
enum { Name, Reading, Ticket, Zone, Km, Count };
}
namespace tape_column {
enum { Text, Step, Sound, Count };
}

int rowCount(const Document &doc, Table table);
int columnCount(Table table);
// The column's header as the table shows it (停留所名 ..., 1..150, 放送文 ...).
QString header(Table table, int column);
bool hasCell(const Document &doc, Table table, int row, int column);

// The value of a cell (row and column from 0): QString for texts, int for the
// rest, double for distances. Invalid outside the table.
QVariant value(const Document &doc, Table table, int row, int column);
// The cell as the table shows it ("なし" for no ticket, "" for a fare cell of 0).
QString text(const Document &doc, Table table, int row, int column);
// Stores a value of the cell's own type (as value() gives). False, nothing
// changed, outside the table or when the value does not fit.
bool setValue(Document &doc, Table table, int row, int column, const QVariant &v);

// What a person typed, as the cell's value: spaces around it and full-width
// digits and signs are fine ("２３０" is 230). Nothing, with `why`, when the
// cell cannot take it.
std::optional<QVariant> parseInput(Table table, int column, const QString &typed, QString *why);

// Rows. Stops and their fare rows are inserted, removed and moved together.
void insertRows(Document &doc, Table table, int row, int count);
void removeRows(Document &doc, Table table, int row, int count);
// Moves row `from` to take the place of row `to`.
void moveRow(Document &doc, Table table, int from, int to);

// Ticket numbers 1, 2, 3 ... in running order to every stop that has one.
void numberTickets(Document &doc);

// "次は、<reading>です。" for every stop after the first and "次は、終点、<reading>です。"
// at the last, each stepping the fares; the terminal's sound mark is 2, the others 1.
std::vector<Announcement> makeTape(const Document &doc);

}  // namespace route
