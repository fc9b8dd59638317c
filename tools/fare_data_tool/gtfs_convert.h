#pragma once
// One trip pattern of a GTFS feed made into what the board runs: the fare data
// (one row per stop in running order, ticket numbers 1..n, cell k of row r the
// fare from the stop of ticket k to stop r) and the announcement list (one
// announcement per stop after the first, each stepping the fares with it).
#include "core/fare_table.h"
#include "gtfs_feed.h"

#include <QByteArray>

namespace gtfs {

inline constexpr int BoardCells = 32;     // ticket numbers the board shows a fare for
inline constexpr int StillCells = 6;      // characters the stop-name strip shows without scrolling

struct ConvertOptions {
    QString route;       // route_id
    int direction = -1;  // 0 or 1; -1 = any
    int pattern = 0;     // pattern number of the listing; 0 = the first (of the direction)
};

struct Conversion {
    std::vector<FareRow> rows;
    QStringList announcements;  // the lines of the announcement list, as text
    std::vector<Problem> problems;
    QString chosen;             // which pattern was made, in words

    bool ok() const;
    // The announcement list file: CP932, CR LF after every line.
    QByteArray announcementFile() const;
};

// What the stop-name strip and the announcement list are given for a name:
// half-width letters, digits, signs and kana become full-width (the strip draws
// two bytes per cell, so a half-width character would split the next one), and
// a character CP932 cannot hold becomes "〓" and is listed in `lost`.
QString boardText(const QString &name, QStringList *lost);

// Makes the pattern chosen by `options`. Errors (nothing usable can be made)
// and warnings (made, but see this) each with their place in the feed.
Conversion convert(const Feed &feed, const ConvertOptions &options);

}  // namespace gtfs
