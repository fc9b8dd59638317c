#include "view/zoom.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace view {

int largestWholeFactor(QSize board, QSize area) {
    if (board.isEmpty()) return kMinZoom;
    const int f = std::min(area.width() / board.width(), area.height() / board.height());
    return std::clamp(f, kMinZoom, kMaxZoom);
}

double fitFactor(QSize board, QSize area) {
    if (board.isEmpty() || area.isEmpty()) return 1.0;
    return std::min(double(area.width()) / board.width(), double(area.height()) / board.height());
}

QRect centredRect(QSize board, double factor, const QRect &area) {
    const QSize size(int(std::lround(board.width() * factor)), int(std::lround(board.height() * factor)));
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

int steppedZoom(double current, int direction) {
    // A fitted 2.6 goes up to 3 and down to 2; a whole 3 goes to 4 or 2.
    const double base = direction > 0 ? std::floor(current + 1e-9) : std::ceil(current - 1e-9);
    return std::clamp(int(base) + (direction > 0 ? 1 : -1), kMinZoom, kMaxZoom);
}

std::optional<ZoomChoice> parseZoom(const QString &text) {
    if (text.compare(QLatin1String("fit"), Qt::CaseInsensitive) == 0) return ZoomChoice{1, true};
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < kMinZoom || n > kMaxZoom) return std::nullopt;
    return ZoomChoice{n, false};
}

}  // namespace view
