#pragma once
// The three ways operators set fares. Each fills, for every stop, the board cells
// of the tickets taken at earlier stops (the fare from the stop of ticket k to
// this stop goes into cell k) and sets every other board cell to 0; cells
// 33..150 are left alone. A fare of 0 yen is written as -1, which the board
// shows as 0 and the late-night rule leaves alone.
#include "core/route_document.h"

#include <QList>
#include <map>
#include <utility>

namespace route {

// 均一: one fare for every ride.
struct FlatFare {
    int fare = 0;
};

// ゾーン: a fare for each pair of zones (the stops' zones); the same both ways.
struct ZoneFares {
    std::map<std::pair<int, int>, int> fares;  // keyed (smaller zone, larger zone)
    void set(int a, int b, int fare) { fares[{std::min(a, b), std::max(a, b)}] = fare; }
    // The fare between two zones; nothing when it was never given.
    std::optional<int> fare(int a, int b) const;
};
// The zones of the stops, each once, in increasing order.
QList<int> zonesOf(const Document &doc);

// 対キロ区間: the base fare covers the first `baseKm`; every further band of
// `bandKm` (or part of one) adds `bandPrice`; the sum is rounded to 10 yen
// (5 and more up).
struct DistanceFares {
    int base = 0;
    double baseKm = 0;
    double bandKm = 1;
    double bandPrice = 0;
    int fare(double km) const;
};

// The number of rides filled (pairs of a ticket stop and a later stop), so the
// dialog can say what it did. Zone pairs without a fare are left 0 and counted
// in `missing` when given.
int fill(Document &doc, const FlatFare &how);
int fill(Document &doc, const ZoneFares &how, int *missing = nullptr);
int fill(Document &doc, const DistanceFares &how);

// A fare in yen as a board cell holds it (0 becomes -1, the rest kept in 16 bits).
qint16 cellForFare(int yen);

}  // namespace route
