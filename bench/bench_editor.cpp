// The route editor on a full route (301 stops, all 150 cells, an announcement per
// stop), each beside a baseline in the same run:
//   opening the route in the window (files, document, checks, the three tables)
//     against decoding the fare data file alone;
//   each fill against copying the route (what every undoable edit costs anyway),
//     and a fill as the window makes it (undo step, checks, tables);
//   the checks after one cell edit against hy3tool's lint of the same rows.
#include "core/fare_data_file.h"
#include "core/route_checks.h"
#include "core/route_files.h"
#include "core/route_fills.h"
#include "editor/fill_fares_dialog.h"
#include "editor/frm_route_edit.h"
#include "editor/route_session.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct BigRoute {
    QTemporaryDir dir;
    route::Document doc;
    BigRoute() {
        for (int r = 0; r < route::MaxStops; ++r) {
            route::Stop s;
            s.name = QStringLiteral("松が丘ニュータウン%1").arg(r + 1);
            s.ticket = static_cast<qint16>(r + 1);
            s.zone = r / 40;
            s.km = r * 0.7;
            for (int k = 0; k < route::CellCount; ++k) s.cells[size_t(k)] = static_cast<qint16>(170 + 20 * ((r + k) % 20));
            doc.stops.push_back(s);
        }
        doc.tape = route::makeTape(doc);
        route::Original none;
        const QString why = route::save(doc, none, {dir.path(), dir.path()}, 301);
        if (!why.isEmpty()) qFatal("cannot write the bench route: %s", qPrintable(why));
    }
    QString farePath() const { return dir.filePath(QStringLiteral("301.hy3")); }
};

BigRoute &big() {
    static BigRoute route;
    return route;
}

void BM_Baseline_DecodeFareFile301(benchmark::State &state) {
    const QString path = big().farePath();
    for (auto _ : state) {
        FareFileContents c = fare_file::readFile(path);
        benchmark::DoNotOptimize(c.rows.data());
    }
}
BENCHMARK(BM_Baseline_DecodeFareFile301)->Unit(benchmark::kMillisecond);

void BM_Editor_OpenRoute301InWindow(benchmark::State &state) {
    const QString folder = big().dir.path();
    route::FrmRouteEdit window([folder] { return route::Folders{folder, folder}; }, nullptr);
    for (auto _ : state) {
        window.openRoute(301);
        benchmark::DoNotOptimize(window.session()->doc().stops.data());
    }
}
BENCHMARK(BM_Editor_OpenRoute301InWindow)->Unit(benchmark::kMillisecond);

void BM_Baseline_CopyRoute301(benchmark::State &state) {
    for (auto _ : state) {
        route::Document copy = big().doc;
        benchmark::DoNotOptimize(copy.stops.data());
    }
}
BENCHMARK(BM_Baseline_CopyRoute301)->Unit(benchmark::kMicrosecond);

template <class Fill>
void fillBench(benchmark::State &state, const Fill &how) {
    for (auto _ : state) {
        route::Document copy = big().doc;
        route::fill(copy, how);
        benchmark::DoNotOptimize(copy.stops.data());
    }
}

void BM_Fill301_Flat(benchmark::State &state) { fillBench(state, route::FlatFare{200}); }
void BM_Fill301_Zone(benchmark::State &state) {
    route::ZoneFares z;
    for (int a = 0; a < 8; ++a)
        for (int b = a; b < 8; ++b) z.set(a, b, 160 + 40 * (b - a));
    fillBench(state, z);
}
void BM_Fill301_Distance(benchmark::State &state) { fillBench(state, route::DistanceFares{170, 2, 1, 35}); }
BENCHMARK(BM_Fill301_Flat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fill301_Zone)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fill301_Distance)->Unit(benchmark::kMicrosecond);

// A fill as the window makes it: the fill, the undoable step, the checks and the
// tables shown again.
void BM_Editor_FillInWindow301(benchmark::State &state) {
    const QString folder = big().dir.path();
    route::FrmRouteEdit window([folder] { return route::Folders{folder, folder}; }, nullptr);
    window.openRoute(301);
    int v = 0;
    for (auto _ : state) {
        const route::Document filled = route::applyFill(window.session()->doc(), route::FlatFare{200 + (++v % 2) * 10}, nullptr, nullptr);
        window.session()->replace(filled, QStringLiteral("bench"));
    }
}
BENCHMARK(BM_Editor_FillInWindow301)->Unit(benchmark::kMillisecond);

void BM_Baseline_LintRows301(benchmark::State &state) {
    const std::vector<FareRow> rows = route::fareRows(big().doc);
    for (auto _ : state) {
        auto problems = fare_file::lint(rows);
        benchmark::DoNotOptimize(problems.data());
    }
}
BENCHMARK(BM_Baseline_LintRows301)->Unit(benchmark::kMicrosecond);

void BM_Editor_ChecksAfterOneEdit301(benchmark::State &state) {
    route::Session session;
    session.replace(big().doc, QStringLiteral("bench"));
    int v = 0;
    for (auto _ : state) {
        // The edit itself (an undoable step), then every check over the route.
        session.setCell(route::Table::Fares, 150, 3, 200 + (++v % 50) * 10);
    }
}
BENCHMARK(BM_Editor_ChecksAfterOneEdit301)->Unit(benchmark::kMicrosecond);

}  // namespace
