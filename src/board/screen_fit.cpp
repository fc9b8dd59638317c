#include "board/screen_fit.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

bool onSomeScreen(const QWidget *w, const QPoint &topLeft) {
    // At least a corner's worth of the window must show, so that it can be grabbed.
    constexpr int kGrip = 24;
    const QRect wanted(topLeft, w->frameGeometry().size().expandedTo(w->size()));
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect shared = wanted.intersected(screen->availableGeometry());
        if (shared.width() >= kGrip && shared.height() >= kGrip) return true;
    }
    return false;
}

QPoint keptInside(const QRect &frame, const QRect &area) {
    auto fit = [](int pos, int size, int start, int areaSize) { return qMax(start, qMin(pos, start + areaSize - size)); };
    return {fit(frame.x(), frame.width(), area.x(), area.width()), fit(frame.y(), frame.height(), area.y(), area.height())};
}
