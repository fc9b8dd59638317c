#include "core/route_fills.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace route {

namespace {

// Calls `fare(from, to)` for every ride a passenger can take: from a stop whose
// ticket is a board cell to any later stop. Returns the rides filled.
template <class Fare>
int fillRides(Document &doc, Fare fare) {
    for (Stop &s : doc.stops) std::fill(s.cells.begin(), s.cells.begin() + BoardCells, qint16(0));
    int rides = 0;
    const size_t n = doc.stops.size();
    for (size_t from = 0; from < n; ++from) {
        const int ticket = doc.stops[from].ticket;
        if (ticket < 1 || ticket > BoardCells) continue;
        for (size_t to = from + 1; to < n; ++to) {
            const std::optional<int> yen = fare(doc.stops[from], doc.stops[to]);
            if (!yen) continue;
            doc.stops[to].cells[size_t(ticket - 1)] = cellForFare(*yen);
            ++rides;
        }
    }
    return rides;
}

}  // namespace

qint16 cellForFare(int yen) {
    if (yen == 0) return -1;
    return static_cast<qint16>(std::clamp(yen, -32768, 32767));
}

std::optional<int> ZoneFares::fare(int a, int b) const {
    const auto it = fares.find({std::min(a, b), std::max(a, b)});
    if (it == fares.end()) return std::nullopt;
    return it->second;
}

QList<int> zonesOf(const Document &doc) {
    std::set<int> zones;
    for (const Stop &s : doc.stops) zones.insert(s.zone);
    return QList<int>(zones.begin(), zones.end());
}

int DistanceFares::fare(double km) const {
    const double beyond = std::abs(km) - baseKm;
    // A hair's tolerance: 3.0 - 1.0 must not become a third band through rounding.
    const double bands = beyond > 1e-9 && bandKm > 0 ? std::ceil(beyond / bandKm - 1e-9) : 0;
    const double yen = base + bands * bandPrice;
    return static_cast<int>(std::floor(yen / 10 + 0.5 + 1e-9)) * 10;
}

int fill(Document &doc, const FlatFare &how) {
    return fillRides(doc, [&](const Stop &, const Stop &) { return std::optional<int>(how.fare); });
}

int fill(Document &doc, const ZoneFares &how, int *missing) {
    int lost = 0;
    const int rides = fillRides(doc, [&](const Stop &from, const Stop &to) {
        const std::optional<int> yen = how.fare(from.zone, to.zone);
        if (!yen) ++lost;
        return yen;
    });
    if (missing) *missing = lost;
    return rides;
}

int fill(Document &doc, const DistanceFares &how) {
    return fillRides(doc, [&](const Stop &from, const Stop &to) { return std::optional<int>(how.fare(to.km - from.km)); });
}

}  // namespace route
