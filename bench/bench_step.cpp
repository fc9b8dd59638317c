// One stop put on the board, as a step does it: the 32 fare writes computed, each fare
// display redrawn, and the stop name laid out on the strip. Quoted against a plain
// fill of the same 32 display surfaces, measured in the same run.
#include "core/board_update.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace {

FareRow sampleRow() {
    FareRow row;
    row.StopName = QStringLiteral("市民病院前");
    row.TicketNo = 9;
    for (int k = 1; k <= 32; ++k) row.cells[static_cast<size_t>(k - 1)] = static_cast<qint16>(k <= 12 ? 170 + 20 * k : 0);
    return row;
}

void BM_Baseline_Fill32Surfaces(benchmark::State &state) {
    std::array<QImage, 32> surfaces;
    for (QImage &s : surfaces) s = QImage(52, 20, QImage::Format_RGB32);
    for (auto _ : state) {
        for (QImage &s : surfaces) s.fill(Qt::gray);
        benchmark::DoNotOptimize(surfaces[31].constBits());
    }
}
BENCHMARK(BM_Baseline_Fill32Surfaces);

void BM_StepBoardUpdate(benchmark::State &state) {
    std::array<std::unique_ptr<M_Degit>, 32> degits;
    for (auto &d : degits) {
        d = std::make_unique<M_Degit>();
        d->setDegitStyle(1);
    }
    ChimeiCtl_B chimei;
    const FareRow row = sampleRow();
    Trip trip;
    trip.StartSection = 1;
    trip.RowCount = 33;
    trip.RouteNo = QStringLiteral("1");
    BoardOptions options;
    options.lateNight = true;
    int flip = 0;
    for (auto _ : state) {
        trip.CurIndex = static_cast<qint16>(8 + (flip ^= 1));  // a different row number each time
        const BoardWrites writes = boardWrites(row, trip.currentRow(), trip, options);
        for (const CellWrite &w : writes.writes) degits[static_cast<size_t>(w.cell - 1)]->setValue(w.value);
        // The pictures as the next paint draws them.
        for (const auto &d : degits) benchmark::DoNotOptimize(d->picture().constBits());
        chimei.SetChimei(row.StopName);
    }
}
BENCHMARK(BM_StepBoardUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace
