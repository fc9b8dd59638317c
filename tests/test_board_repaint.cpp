// The board shown scaled repaints only what changed: a scroll step of the stop-name
// strip repaints the strip, a fare step the displays whose figures change. At 4x
// full screen every pixel painted is a pixel sent to the screen.
#include "board/board_geometry.h"
#include "board/form1.h"
#include "view/board_host.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <gtest/gtest.h>

#include <string>

namespace {

class PaintLog : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// A rectangle of the face as the view repaints it: scaled, with the one device pixel
// a graphics view always adds around an update.
QRegion scaled(const QRect &r, int f) { return QRect(r.topLeft() * f, r.size() * f).adjusted(-1, -1, 1, 1); }

std::string text(const QRegion &region) {
    std::string out;
    for (const QRect &r : region)
        out += std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
               std::to_string(r.height()) + "; ";
    return out;
}

void paintPending() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 50) QApplication::processEvents();
}

}  // namespace

TEST(BoardRepaint, ScaledBoardRepaintsOnlyTheStripOrTheChangedDisplays) {
    constexpr int f = 4;
    Form1 board;
    auto *host = new view::BoardHost(board.face(), &board);
    board.setFixedSize(board.face()->size() * f);
    host->setFactor(f);
    host->embed();
    board.show();
    for (int i = 1; i <= 32; ++i) board.fareDisplay(i)->setValue(100 + 10 * i);
    ChimeiCtl_B *strip = board.stopStrip();
    strip->SetChimei(QStringLiteral("中央公民館南口停留所前・市民病院北口"));
    strip->advanceScroll(2000.0);  // past the pause before scrolling starts
    PaintLog log;
    host->viewport()->installEventFilter(&log);
    // The first picture of the window is whole.
    QElapsedTimer shown;
    shown.start();
    while (log.painted.isEmpty() && shown.elapsed() < 5000) paintPending();
    paintPending();

    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        const int top = strip->dumpState().value(QStringLiteral("canvasTop")).toInt();
        strip->advanceScroll(200.0);
        ASSERT_NE(strip->dumpState().value(QStringLiteral("canvasTop")).toInt(), top);
        log.painted = QRegion();
        paintPending();
        EXPECT_FALSE(log.painted.isEmpty());
        EXPECT_TRUE((log.painted - scaled(board::chimeiRect(), f)).isEmpty()) << text(log.painted);
    }

    strip->SetChimei(QString());
    paintPending();
    log.painted = QRegion();
    for (int i = 1; i <= 32; ++i) board.fareDisplay(i)->setValue(i == 20 ? 990 : 100 + 10 * i);
    paintPending();
    EXPECT_FALSE(log.painted.isEmpty());
    EXPECT_TRUE((log.painted - scaled(board::degitRect(20), f)).isEmpty()) << text(log.painted);
}
