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
        byZones_[key(r.origin, r.destination)].push_back(&r);
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
    for (const std::string &k : {key(from, to), key(from, none), key(none, to), key(none, none)}) {
        const auto bucket = byZones_.find(k);
        if (bucket == byZones_.end()) continue;
        for (const FareRule *r : bucket->second) {
            if ((!r->origin.empty() && from.empty()) || (!r->destination.empty() && to.empty())) continue;
            const int rank = 2 * ((r->origin.empty() ? 0 : 1) + (r->destination.empty() ? 0 : 1)) + (r->route.empty() ? 0 : 1);
            const int price = feed_.fares[static_cast<size_t>(r->fare)].price;
            if (rank > bestRank || (rank == bestRank && price < *best)) {
                bestRank = rank;
                best = price;
            }
        }
    }
    return best;
}

}  // namespace gtfs
