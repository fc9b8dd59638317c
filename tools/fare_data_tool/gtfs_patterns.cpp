#include "gtfs_patterns.h"

#include "base/message_language.h"

#include <algorithm>
#include <map>

using message_language::shared;

namespace gtfs {

QString Pattern::headsign(const Feed &feed) const {
    const Trip &t = trip(feed);
    if (!t.headsign.isEmpty()) return t.headsign;
    if (!t.times.front().headsign.isEmpty()) return t.times.front().headsign;
    return feed.stops[static_cast<size_t>(t.times.back().stop)].name;
}

std::vector<Pattern> patterns(const Feed &feed, int route) {
    std::map<std::pair<int, std::vector<int>>, size_t> byStops;  // (direction, stops) -> pattern
    std::vector<Pattern> out;
    for (size_t i = 0; i < feed.trips.size(); ++i) {
        const Trip &t = feed.trips[i];
        if (t.route != route || t.times.empty()) continue;
        std::vector<int> stops;
        stops.reserve(t.times.size());
        for (const StopTime &st : t.times) stops.push_back(st.stop);
        const auto [it, added] = byStops.emplace(std::make_pair(t.direction, std::move(stops)), out.size());
        if (added) out.push_back({route, 0, t.direction, {}});
        out[it->second].trips.push_back(static_cast<int>(i));
    }
    std::stable_sort(out.begin(), out.end(), [](const Pattern &a, const Pattern &b) {
        if (a.direction != b.direction) return a.direction < b.direction;
        return a.trips.size() > b.trips.size();
    });
    for (size_t i = 0; i < out.size(); ++i) out[i].number = static_cast<int>(i) + 1;
    return out;
}

QStringList listing(const Feed &feed) {
    QStringList lines;
    for (size_t r = 0; r < feed.routes.size(); ++r) {
        const Route &route = feed.routes[r];
        QString name = route.shortName;
        if (!route.longName.isEmpty()) name += (name.isEmpty() ? QString() : QStringLiteral(" ")) + route.longName;
        lines << shared("route %1: %2", "系統 %1: %2").arg(QString::fromStdString(route.id), name);
        const std::vector<Pattern> ps = patterns(feed, static_cast<int>(r));
        if (ps.empty()) lines << shared("  (no trips)", "  （便がありません）");
        for (const Pattern &p : ps) {
            const Trip &t = p.trip(feed);
            const QString &first = feed.stops[static_cast<size_t>(t.times.front().stop)].name;
            const QString &last = feed.stops[static_cast<size_t>(t.times.back().stop)].name;
            lines << shared("  pattern %1: direction %2 to \"%3\", %4 stops %5 → %6 (%7 trips, e.g. trip %8)", "  パターン%1: 方向%2 「%3」行き %4停留所 %5 → %6（%7便、例: 便 %8）")
                         .arg(p.number)
                         .arg(p.direction < 0 ? shared("none", "なし") : QString::number(p.direction))
                         .arg(p.headsign(feed))
                         .arg(t.times.size())
                         .arg(first, last)
                         .arg(p.trips.size())
                         .arg(QString::fromStdString(t.id));
        }
    }
    return lines;
}

}  // namespace gtfs
