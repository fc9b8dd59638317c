// Making a board route from a large GTFS feed (5 000 stops, 200 000 stop times,
// 80 000 fare rules), beside a baseline measured in the same run: reading the
// same files' bytes with QFile::readAll.
#include "gtfs_convert.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Routes = 50, StopsPerRoute = 100, TripsPerRoute = 40, StopsPerTrip = 100;
static_assert(Routes * StopsPerRoute == 5000 && Routes * TripsPerRoute * StopsPerTrip == 200000);

struct LargeFeed {
    QTemporaryDir dir;
    qint64 bytes = 0;
    LargeFeed() {
        QByteArray stops = "stop_id,stop_name,stop_lat,stop_lon,zone_id\n", routes = "route_id,route_short_name\n",
                   trips = "route_id,service_id,trip_id,direction_id\n",
                   times = "trip_id,arrival_time,departure_time,stop_id,stop_sequence\n",
                   fares = "fare_id,price,currency_type\n", rules = "fare_id,route_id,origin_id,destination_id\n",
                   names = "table_name,field_name,language,translation,record_id\n";
        for (int price = 100; price <= 990; price += 10) fares += QByteArray::number(price) + "," + QByteArray::number(price) + ",JPY\n";
        for (int r = 0; r < Routes; ++r) {
            const QByteArray route = "R" + QByteArray::number(r);
            routes += route + "," + QByteArray::number(r + 1) + "\n";
            for (int s = 0; s < StopsPerRoute; ++s) {
                const QByteArray id = route + "_" + QByteArray::number(s);
                stops += id + ",\"" + QStringLiteral("第%1系統 %2番").arg(r + 1).arg(s + 1).toUtf8() +
                         "\",35.0,139.0,Z" + id + "\n";
                names += "stops,stop_name,ja-Hrkt," + QStringLiteral("だい%1ていりゅうじょ").arg(s + 1).toUtf8() + "," + id + "\n";
            }
            // Zone fares between the first 40 stops of each route, both ways.
            for (int a = 0; a < 40; ++a)
                for (int b = 0; b < 40; ++b)
                    rules += QByteArray::number(100 + 10 * qMin(89, qAbs(a - b))) + "," + route + ",Z" + route + "_" +
                             QByteArray::number(a) + ",Z" + route + "_" + QByteArray::number(b) + "\n";
            for (int t = 0; t < TripsPerRoute; ++t) {
                const QByteArray trip = route + "_T" + QByteArray::number(t);
                trips += route + ",WD," + trip + "," + QByteArray::number(t % 2) + "\n";
                for (int s = 0; s < StopsPerTrip; ++s) {
                    const int stop = t % 2 ? StopsPerRoute - 1 - s : s;
                    times += trip + ",08:00:00,08:00:00," + route + "_" + QByteArray::number(stop) + "," +
                             QByteArray::number(s + 1) + "\n";
                }
            }
        }
        const std::pair<const char *, QByteArray *> files[] = {
            {"stops.txt", &stops}, {"routes.txt", &routes}, {"trips.txt", &trips}, {"stop_times.txt", &times},
            {"fare_attributes.txt", &fares}, {"fare_rules.txt", &rules}, {"translations.txt", &names}};
        for (const auto &[name, text] : files) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            if (!f.open(QIODevice::WriteOnly) || f.write(*text) != text->size()) qFatal("cannot write the bench feed");
            bytes += text->size();
        }
    }
};

LargeFeed &largeFeed() {
    static LargeFeed feed;
    return feed;
}

void BM_Baseline_ReadFeedBytes(benchmark::State &state) {
    const QDir dir(largeFeed().dir.path());
    for (auto _ : state) {
        for (const QString &name : gtfs::fileNames()) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::ReadOnly);
            QByteArray b = f.readAll();
            benchmark::DoNotOptimize(b.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * largeFeed().bytes);
}
BENCHMARK(BM_Baseline_ReadFeedBytes)->Unit(benchmark::kMillisecond);

// What "hy3tool from-gtfs" does short of writing the two files: read and parse
// the whole feed, group the route's trips, price every cell, make the texts.
void BM_GtfsConvertLargeFeed(benchmark::State &state) {
    const QString path = largeFeed().dir.path();
    gtfs::ConvertOptions options;
    options.route = QStringLiteral("R7");
    for (auto _ : state) {
        const gtfs::Conversion c = gtfs::convert(gtfs::read(path), options);
        if (!c.ok() || c.rows.size() != StopsPerTrip || c.rows[39].Cell(1) != 490) state.SkipWithError("wrong conversion");
        benchmark::DoNotOptimize(c.rows.data());
    }
    state.SetBytesProcessed(state.iterations() * largeFeed().bytes);
}
BENCHMARK(BM_GtfsConvertLargeFeed)->Unit(benchmark::kMillisecond);

// Half a million fare rules that name no zone (all apply everywhere), against the same
// route with one such rule: pricing must not walk every rule for every cell.
QHash<QString, QByteArray> catchAllFeed(int rules) {
    QByteArray stops = "stop_id,stop_name,zone_id\n", times = "trip_id,stop_id,stop_sequence\n";
    for (int i = 1; i <= StopsPerTrip; ++i) {
        stops += "P" + QByteArray::number(i) + ",S" + QByteArray::number(i) + ",Z\n";
        times += "T,P" + QByteArray::number(i) + "," + QByteArray::number(i) + "\n";
    }
    QByteArray list = "fare_id,route_id\n";
    for (int i = 0; i < rules; ++i) list += "F,\n";
    return {{QStringLiteral("stops.txt"), stops},
            {QStringLiteral("routes.txt"), "route_id,route_short_name\nL,9\n"},
            {QStringLiteral("trips.txt"), "route_id,trip_id\nL,T\n"},
            {QStringLiteral("stop_times.txt"), times},
            {QStringLiteral("fare_attributes.txt"), "fare_id,price\nF,200\n"},
            {QStringLiteral("fare_rules.txt"), list}};
}

void BM_GtfsCatchAllRules(benchmark::State &state) {
    const gtfs::Feed feed = gtfs::parse(catchAllFeed(static_cast<int>(state.range(0))));
    gtfs::ConvertOptions options;
    options.route = QStringLiteral("L");
    for (auto _ : state) {
        const gtfs::Conversion c = gtfs::convert(feed, options);
        if (!c.ok() || c.rows.back().Cell(1) != 200) state.SkipWithError("wrong conversion");
        benchmark::DoNotOptimize(c.rows.data());
    }
}
BENCHMARK(BM_GtfsCatchAllRules)->Arg(1)->Arg(500000)->Unit(benchmark::kMillisecond);

}  // namespace
