// One ticket drawn by the barcode sample plug-in (texts, a background picture and an
// NW-7 barcode), as a step with the preview on does it, against a plain white fill of
// the same preview picture measured in the same run. The plug-in is read once, as when
// it is chosen; each drawing uses what was read.
#include "ticket/ticket_plugin_api.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

const QString kSample = QStringLiteral(MITRA_SOURCE_DIR "/data/demo/tickets/barcode.4SP");

void BM_Baseline_PreviewFill(benchmark::State &state) {
    QImage preview(230, 128, QImage::Format_RGB32);
    for (auto _ : state) {
        preview.fill(Qt::white);
        QPainter p(&preview);
        p.fillRect(preview.rect(), Qt::white);
        benchmark::DoNotOptimize(preview.constBits());
    }
}
BENCHMARK(BM_Baseline_PreviewFill);

void BM_DrawSeirikenBarcodeSample(benchmark::State &state) {
    QImage preview(230, 128, QImage::Format_RGB32);
    PlgInfo info;
    if (Qv4_GetPlgInfo(kSample, info) == 0) {
        state.SkipWithError("the barcode sample is not readable");
        return;
    }
    int ticket = 0;
    for (auto _ : state) {
        preview.fill(Qt::white);
        QString stopName = QStringLiteral("美術館・図書館前");
        QString date = QStringLiteral("12-24-2026");
        Qv4_DrawSeiriken(kSample, &preview, stopName, date, QStringLiteral("12:34:56"), 12, 1 + ticket++ % 30, 6, 0);
        benchmark::DoNotOptimize(preview.constBits());
    }
}
BENCHMARK(BM_DrawSeirikenBarcodeSample);

}  // namespace
