#pragma once
// Zoom arithmetic of the board view: whole factors 1..8, or a fitted factor that
// fills a screen while keeping the board's proportions.
#include <QRect>
#include <QSize>
#include <optional>

namespace view {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 8;

// The largest whole factor (1..8) at which `board` fits inside `area`; 1 when even
// 1x does not fit.
int largestWholeFactor(QSize board, QSize area);

// The factor that makes `board` as large as `area` allows, proportions kept.
double fitFactor(QSize board, QSize area);

// Where the board lands, centred in `area` at `factor` (letterboxed on both sides
// when it does not fill the area).
QRect centredRect(QSize board, double factor, const QRect &area);

// Ctrl+plus / Ctrl+minus: one whole step from `current`, kept within 1..8. A fitted
// factor steps to the whole factor next to it.
int steppedZoom(double current, int direction);

// `--zoom N` and the script's `zoom N`: a whole number 1..8, or "fit".
struct ZoomChoice {
    int factor = 1;    // 1..8
    bool fit = false;  // fit to the screen instead
};
std::optional<ZoomChoice> parseZoom(const QString &text);

}  // namespace view
