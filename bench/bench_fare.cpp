// Route loading and one board update, each beside a baseline measured in the same
// run: reading the same file's bytes with QFile::readAll, and writing 32 plain
// values into a vector of QVariant.
#include "core/board_update.h"
#include "core/fare_data_file.h"
#include "core/route_set.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A full table: 301 stops with realistic names and every cell filled.
struct FullRoute {
    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
    FullRoute() {
        std::vector<FareRow> rows(301);
        for (int r = 1; r <= 301; ++r) {
            FareRow &row = rows[static_cast<size_t>(r - 1)];
            row.StopName = QStringLiteral("松が丘ニュータウン%1").arg(r);
            row.TicketNo = static_cast<qint16>(r);
            for (int k = 1; k <= FareRow::CellCount; ++k)
                row.cells[static_cast<size_t>(k - 1)] = static_cast<qint16>(170 + 20 * ((r + k) % 20));
        }
        path = dir.filePath(QStringLiteral("301.hy3"));
        QString why;
        if (!fare_file::writeFile(path, rows, &why)) qFatal("cannot write bench file: %s", qPrintable(why));
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
    }
};

FullRoute &fullRoute() {
    static FullRoute route;
    return route;
}

void BM_Baseline_ReadAll301(benchmark::State &state) {
    const QString path = fullRoute().path;
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QByteArray b = f.readAll();
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(state.iterations() * fullRoute().bytes.size());
}
BENCHMARK(BM_Baseline_ReadAll301);

// The whole route set minus its display: look-up, read, checks, table refill.
void BM_LoadRoute301(benchmark::State &state) {
    const QString folder = fullRoute().dir.path();
    const route_set::Request request = route_set::makeRequest(QStringLiteral("301"), QStringLiteral("1"));
    FareTable table;
    Trip trip;
    for (auto _ : state) {
        const route_set::Result r = route_set::load(request, folder, table, trip);
        if (!r.loaded()) state.SkipWithError("route set refused");
        benchmark::DoNotOptimize(table.Row(301).Cell(150));
    }
    state.SetBytesProcessed(state.iterations() * fullRoute().bytes.size());
}
BENCHMARK(BM_LoadRoute301);

// Parsing alone, from bytes already in memory.
void BM_ParseFareData301(benchmark::State &state) {
    const QByteArray bytes = fullRoute().bytes;
    for (auto _ : state) {
        FareFileContents c = fare_file::parse(bytes, QStringLiteral("301.hy3"));
        benchmark::DoNotOptimize(c.rows.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseFareData301);

void BM_Baseline_Write32Values(benchmark::State &state) {
    FareRow row;
    for (int k = 1; k <= 32; ++k) row.cells[static_cast<size_t>(k - 1)] = static_cast<qint16>(170 + k);
    for (auto _ : state) {
        std::vector<QVariant> cells;
        cells.reserve(32);
        for (int k = 1; k <= 32; ++k) cells.emplace_back(static_cast<int>(row.Cell(k)));
        benchmark::DoNotOptimize(cells.data());
    }
}
BENCHMARK(BM_Baseline_Write32Values);

// One board update: 32 late-night fares and all four information numbers.
void BM_BoardWrites32(benchmark::State &state) {
    FareRow row;
    row.TicketNo = 12;
    for (int k = 1; k <= FareRow::CellCount; ++k) row.cells[static_cast<size_t>(k - 1)] = static_cast<qint16>(170 + k);
    Trip trip;
    trip.StartSection = 1;
    trip.RowCount = 33;
    trip.RouteNo = QStringLiteral("00012");
    BoardOptions opt;
    opt.lateNight = true;
    opt.info.stopOrder = {true, 29};
    opt.info.ticketNo = {true, 30};
    opt.info.routeNo = {true, 31};
    opt.info.dataColumn = {true, 32};
    opt.info.sourceColumn = 40;
    for (auto _ : state) {
        BoardWrites w = boardWrites(row, 12, trip, opt);
        benchmark::DoNotOptimize(w.writes.data());
    }
}
BENCHMARK(BM_BoardWrites32);

}  // namespace
