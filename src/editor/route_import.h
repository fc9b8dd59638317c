#pragma once
// Routes made from what hy3tool reads: a fare table saved as CSV, or one trip
// pattern of a GTFS-JP feed. The conversion is the tool's own.
#include "core/route_document.h"

#include <QStringList>

namespace gtfs {
struct Feed;
struct ConvertOptions;
}

namespace route {

struct Imported {
    Document doc;
    QStringList errors;    // nothing was made when there is one
    QStringList warnings;  // made, but worth reading
    bool ok() const { return errors.isEmpty(); }
};

// The stops and fares of a CSV fare table; the announcement list is `keepTape`.
Imported fromCsv(const QByteArray &bytes, const std::vector<Announcement> &keepTape);

// One line of the feed's listing (as `hy3tool from-gtfs --list` prints it); the
// lines of patterns can be imported.
struct GtfsChoice {
    QString text;
    QString route;    // route_id
    int pattern = 0;  // 0 on a route's own line
};
std::vector<GtfsChoice> gtfsChoices(const gtfs::Feed &feed);

// The pattern made into a route: stops, ticket numbers, fares, readings and the
// announcement list, as `hy3tool from-gtfs` writes them.
Imported fromGtfs(const gtfs::Feed &feed, const gtfs::ConvertOptions &options);

}  // namespace route
