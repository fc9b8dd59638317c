#include "gtfs_fares.h"

namespace gtfs {

namespace {
std::string key(const std::string &origin, const std::string &destination) {
    return origin + '\x1f' + destination;
}
}  // namespace

FareFinder::FareFinder(const Feed &feed, int route) : feed_(feed) {
    const std::string &routeId = feed.routes[static_cast<size_t>(route)].id;
    for (const FareRule &r : feed.fareRules) {
        if (!feed.fares[static_cast<size_t>(r.fare)].usable) continue;
        if (!r.route.empty() && r.route != routeId) continue;
        const Best candidate{!r.route.empty(), feed.fares[static_cast<size_t>(r.fare)].price};
        const auto [it, added] = byZones_.try_emplace(key(r.origin, r.destination), candidate);
        Best &best = it->second;
        if (!added && (candidate.namesRoute > best.namesRoute ||
                       (candidate.namesRoute == best.namesRoute && candidate.price < best.price)))
            best = candidate;
        if (!r.origin.empty() || !r.destination.empty()) usesZones_ = true;
    }
    if (!feed.hasFareRules && feed.fares.size() == 1 && feed.fares.front().usable) flat_ = feed.fares.front().price;
}

std::optional<int> FareFinder::fare(int fromStop, int toStop) const {
    if (flat_) return flat_;
    const std::string &from = feed_.stops[static_cast<size_t>(fromStop)].zone;
    const std::string &to = feed_.stops[static_cast<size_t>(toStop)].zone;
    int bestRank = -1;
    std::optional<int> best;
    const std::string none;
    // A rule that gives a zone is found only under the stop's zone.
    const struct {
        const std::string &origin, &destination;
    } lookups[] = {{from, to}, {from, none}, {none, to}, {none, none}};
    for (const auto &l : lookups) {
        const auto bucket = byZones_.find(key(l.origin, l.destination));
        if (bucket == byZones_.end()) continue;
        const Best &b = bucket->second;
        const int rank = 2 * ((l.origin.empty() ? 0 : 1) + (l.destination.empty() ? 0 : 1)) + (b.namesRoute ? 1 : 0);
        if (rank > bestRank || (rank == bestRank && b.price < *best)) {
            bestRank = rank;
            best = b.price;
        }
    }
    return best;
}

}  // namespace gtfs
