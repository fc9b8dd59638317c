#pragma once
// Trip patterns: the trips of a route that stop at the same stops in the same
// order, grouped, so a user can choose the one the board should run.
#include "gtfs_feed.h"

#include <QStringList>

namespace gtfs {

struct Pattern {
    int route = -1;
    int number = 0;          // 1-based within its route, in the listing's order
    int direction = -1;      // direction_id, -1 when not given
    std::vector<int> trips;  // indices into Feed::trips; the first one stands for them all
    const Trip &trip(const Feed &feed) const { return feed.trips[static_cast<size_t>(trips.front())]; }
    // trip_headsign, else the first stop_headsign, else the last stop's name.
    QString headsign(const Feed &feed) const;
};

// The patterns of a route, numbered: by direction (none, 0, 1), then the most
// trips first, then the order of their first trip in trips.txt. Trips without
// stop times are left out.
std::vector<Pattern> patterns(const Feed &feed, int route);

// The listing for people choosing a route: one line per route, then one per
// pattern with its direction, headsign, number of stops, first and last stop.
QStringList listing(const Feed &feed);

}  // namespace gtfs
