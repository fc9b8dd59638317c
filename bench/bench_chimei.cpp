// Stop-name strip: laying out and drawing a name, and what a scrolling name costs
// the processor.
#include "widgets/chimei_ctl.h"

#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <ctime>

namespace {

const QString kTenCells = QStringLiteral("中央公民館南口停留所");

// Baseline: clearing a canvas the size of a ten-cell name.
void fillCanvas(QImage &img) {
    img.fill(QColor(64, 64, 64));
    benchmark::DoNotOptimize(img.constBits());
}

// Processor time of this thread: the machine may be shared, so ratios are taken
// on processor time rather than wall time.
double threadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

double nsPerFill() {
    QImage img(37, 320, QImage::Format_RGB32);
    constexpr int n = 20000;
    const double t0 = threadCpuNs();
    for (int i = 0; i < n; ++i) fillCanvas(img);
    return (threadCpuNs() - t0) / n;
}

double cpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

void BM_BaselineCanvasFill(benchmark::State &state) {
    QImage img(37, 320, QImage::Format_RGB32);
    for (auto _ : state) fillCanvas(img);
}
BENCHMARK(BM_BaselineCanvasFill);

// SetChimei of a ten-cell name: layout, ten glyphs into the glyph box, 2560 pixel
// reads and the dots onto the canvas. The "x_fill" counter is its time as a
// multiple of the baseline fill, both measured in this run.
void BM_SetChimeiTenCells(benchmark::State &state) {
    ChimeiCtl_B ctl;
    ctl.SetChimei(kTenCells);  // the font files are opened once per process
    const double t0 = threadCpuNs();
    for (auto _ : state) ctl.SetChimei(kTenCells);
    const double ns = (threadCpuNs() - t0) / double(state.iterations());
    state.counters["x_fill"] = ns / nsPerFill();
}
BENCHMARK(BM_SetChimeiTenCells);

// A long name scrolling for 10 s on the real frame timer, the window shown: the
// processor time the whole process spends in that time, as a fraction of one core.
void BM_ScrollTenSecondsCpu(benchmark::State &state) {
    for (auto _ : state) {
        ChimeiCtl_B ctl;
        ctl.show();
        ctl.SetChimei(QStringLiteral("中央公民館南口停留所前・市民病院北口"));
        const double cpu0 = cpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.counters["cpu_of_one_core"] = (cpuSeconds() - cpu0) / wall;
        state.counters["canvas_top"] = ctl.dumpState()["canvasTop"].toInt();
    }
}
BENCHMARK(BM_ScrollTenSecondsCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
