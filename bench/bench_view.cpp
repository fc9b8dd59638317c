// The board shown scaled: one scroll step of the stop-name strip and one fare step
// (32 displays) painted at 4x, each against the same at 1x in this run, and the
// processor share of a long name scrolling at 4x against 1x. A 60 Hz frame is
// 16.7 ms; the goal is a tenth of it per step.
#include "board/board_geometry.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "view/board_host.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <array>

namespace {

const QString kLongName = QStringLiteral("中央公民館南口停留所前・市民病院北口");

// A board face of the real layout: picture, 32 fare displays and the stop-name strip.
class TestBoard : public QWidget {
public:
    explicit TestBoard(QWidget *window) : QWidget(window) {
        setFixedSize(board::kWidth, board::kHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
        picture_ = QImage(board::kWidth, board::kHeight, QImage::Format_RGB32);
        picture_.fill(QColor(40, 40, 40));
        for (int i = 1; i <= 32; ++i) {
            auto *d = new M_Degit(this);
            d->setGeometry(board::degitRect(i));
            d->setDegitStyle(1);
            degits[size_t(i - 1)] = d;
        }
        chimei = new ChimeiCtl_B(this);
        chimei->setGeometry(board::chimeiRect());
    }
    std::array<M_Degit *, 32> degits{};
    ChimeiCtl_B *chimei = nullptr;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, picture_); }

private:
    QImage picture_;
};

double cpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

// The board shown at `factor` in its window: the face as it is at 1x, in a host otherwise.
struct Shown {
    explicit Shown(int factor) {
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.resize(board.size() * factor);
        if (factor != 1) {
            host = new view::BoardHost(&board, &window);
            host->embed();
            host->setFactor(factor);
        }
        window.show();
    }
    // Paints whatever is waiting to be painted, as the next frame does.
    void paintPending() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    QWidget window;
    TestBoard board{&window};
    view::BoardHost *host = nullptr;  // the window's
    QRect dirty;
};

// One scroll step: the strip moves by a dot row and is painted again.
void BM_ScrollStepPainted(benchmark::State &state) {
    Shown shown(int(state.range(0)));
    ChimeiCtl_B *strip = shown.board.chimei;
    strip->SetChimei(kLongName);
    shown.dirty = QRect(board::chimeiRect().topLeft() * int(state.range(0)), board::chimeiRect().size() * int(state.range(0)));
    shown.paintPending();
    strip->advanceScroll(2000.0);  // past the pause before scrolling starts
    const double cpu0 = cpuSeconds();
    for (auto _ : state) {
        strip->advanceScroll(1000.0 / 60.0);
        if (shown.host) shown.host->viewport()->repaint(shown.dirty);
        else strip->repaint();
    }
    state.counters["of_60Hz_frame"] = (cpuSeconds() - cpu0) / double(state.iterations()) * 60.0;
}
BENCHMARK(BM_ScrollStepPainted)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// One fare step: 32 new values drawn and painted.
void BM_FareStepPainted(benchmark::State &state) {
    Shown shown(int(state.range(0)));
    shown.paintPending();
    int flip = 0;
    const double cpu0 = cpuSeconds();
    for (auto _ : state) {
        flip ^= 1;
        for (int i = 0; i < 32; ++i) shown.board.degits[size_t(i)]->setValue(flip ? 170 + 10 * i : 1200 - 10 * i);
        shown.paintPending();
    }
    state.counters["of_60Hz_frame"] = (cpuSeconds() - cpu0) / double(state.iterations()) * 60.0;
}
BENCHMARK(BM_FareStepPainted)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// A long name scrolling on its real frame timer for 5 s: the processor time of the
// whole process as a fraction of one core.
void BM_ScrollCpuShare(benchmark::State &state) {
    for (auto _ : state) {
        Shown shown(int(state.range(0)));
        shown.board.chimei->SetChimei(kLongName);
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        state.counters["cpu_of_one_core"] = (cpuSeconds() - cpu0) / (double(wall.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_ScrollCpuShare)->Arg(1)->Arg(4)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
