#pragma once
// The route set without its widgets: reading the entered route and section,
// finding the route's fare data file, checking it and, only when every check
// passes, replacing the fare table and the trip. The control panel plays the
// sounds, loads the announcement list, shows the route-selecting state and the
// messages this returns.
#include "core/fare_table.h"
#include "core/trip.h"

#include <QString>

namespace route_set {

inline constexpr int MaxSection = 300;

// The numeric value of a text: its leading decimal digits ("12ab" -> 12, "" -> 0,
// "ab" -> 0). Saturates instead of overflowing on absurdly long digit runs.
int leadingNumber(const QString &text);

// The start section as the trip keeps it: 0 becomes 1, above 300 becomes 300.
qint16 clampSection(int section);

// The route number used for file names: the numeric value written in decimal,
// without leading zeros ("00012" -> "12", "" -> "0").
QString fileRouteNumber(const QString &routeNo);

// A folder as a prefix for file names: empty stays empty (the working
// directory), anything else ends with exactly one separator.
QString folderPrefix(const QString &folder);

// Fare data folder + file route number + ".hy3".
QString fareDataPath(const QString &fareFolder, const QString &routeNo);

// What the operator entered, as the route set uses it.
struct Request {
    QString routeNo;       // as entered, leading zeros kept
    qint16 startSection;   // clamped to 1..300
    QString fileRouteNo;   // for the fare data file and the announcement list
};

// From the keypad's two displays, or from the selected digits of the lists
// joined in order (a list without a selection adds nothing).
Request makeRequest(const QString &routeText, const QString &sectionText);

// The exact texts of the route set's own refusals.
QString messageFileMissing();
QString messageNoRows();
QString messageSectionTooLarge();

enum class Outcome {
    Loaded,            // table and trip replaced
    FileMissing,       // no such fare data file in an existing folder
    NoRows,            // the file says it has no rows
    SectionTooLarge,   // no row after the start section
    ReadFailed,        // missing folder, unreadable or malformed file; the message
                       // names the folder or file and the problem
};

struct Result {
    Outcome outcome = Outcome::ReadFailed;
    QString message;   // what to show (empty when Loaded)
    QString path;      // the fare data file looked at
    bool loaded() const { return outcome == Outcome::Loaded; }
};

// Reads the route's fare data file and checks it. When every check passes the
// table is cleared and refilled, and the trip becomes: RouteNo and StartSection
// from the request, RowCount from the file, CurIndex = StartSection - 1; its
// TicketDate is left for the caller (captured after the route-selecting state).
// A refused route set changes neither the table nor the trip.
Result load(const Request &request, const QString &fareFolder, FareTable &table, Trip &trip);

}  // namespace route_set
