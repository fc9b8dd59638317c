#pragma once
// The fare of a ride on one route, from fare_rules.txt and fare_attributes.txt.
//
// A rule applies when each of route_id, origin_id and destination_id it gives
// equals the route, the boarding stop's zone and the alighting stop's zone.
// Of the rules that apply, the most specific wins: one that gives origin and
// destination beats one that gives only one of them, which beats none; at equal
// standing one that names the route beats one that does not; among equals the
// lowest price. Without fare_rules.txt a feed with exactly one fare has that
// fare everywhere (a flat-fare service).
#include "gtfs_feed.h"

#include <optional>
#include <unordered_map>

namespace gtfs {

class FareFinder {
public:
    FareFinder(const Feed &feed, int route);

    // The fare in yen from one stop to another, or none when no rule applies.
    std::optional<int> fare(int fromStop, int toStop) const;
    // Some rule of this route depends on zones, so a stop without a zone_id
    // cannot be priced by it.
    bool usesZones() const { return usesZones_; }

private:
    const Feed &feed_;
    // Of the rules that can apply to the route with one origin and destination zone
    // ("" where the rule gives none), the one that wins: a lookup looks at four at
    // most, however many rules the feed has.
    struct Best {
        bool namesRoute = false;
        int price = 0;
    };
    std::unordered_map<std::string, Best> byZones_;
    std::optional<int> flat_;
    bool usesZones_ = false;
};

}  // namespace gtfs
