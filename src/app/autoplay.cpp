#include "app/autoplay.h"

#include "panel/frm_ctl.h"
#include "app/windows.h"
#include "base/dump_sections.h"
#include "base/input_gate.h"
#include "media/audio_device.h"
#include "media/snd_api.h"
#include "media/tape.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QTimer>

namespace autoplay {

namespace {

constexpr int kPollMs = 100;

bool soundsPlaying() {
    for (int slot = 0; slot < kAllSlots; ++slot)
        if (snd::device().playing(slot)) return true;
    return false;
}

// A panel button as a person could press it now: shown and enabled.
QAbstractButton *pressable(const char *name) {
    auto *b = frmCtl()->findChild<QAbstractButton *>(QLatin1String(name));
    return b && b->isVisibleTo(frmCtl()) && b->isEnabled() && frmCtl()->isEnabled() ? b : nullptr;
}

class Driver : public QObject {
public:
    Driver() : QObject(qApp) {
        connect(&timer_, &QTimer::timeout, this, &Driver::poll);
        qApp->installEventFilter(this);
    }

    void start(int seconds, bool once) {
        intervalMs_ = seconds * 1000;
        once_ = once;
        on_ = true;
        sinceQuiet_.start();
        dueMs_ = intervalMs_;
        timer_.start(kPollMs);
    }
    void stop() {
        on_ = false;
        timer_.stop();
    }

    QJsonObject state() const {
        return {{QStringLiteral("on"), on_}, {QStringLiteral("interval"), intervalMs_ / 1000}, {QStringLiteral("once"), once_},
                {QStringLiteral("presses"), presses_}, {QStringLiteral("laps"), laps_}};
    }
    bool on() const { return on_; }

protected:
    // The operator's own mouse and keys (events from the window system, not the
    // program's own presses) switch it off.
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (on_ && event->spontaneous() &&
            (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
            stop();
        return QObject::eventFilter(watched, event);
    }

private:
    void poll() {
        // The interval counts from the moment the last sound, speech or pause ended.
        if (inputHeld() || soundsPlaying()) {
            sinceQuiet_.restart();
            return;
        }
        if (sinceQuiet_.elapsed() < dueMs_) return;
        act();
        sinceQuiet_.restart();
        dueMs_ = intervalMs_;
    }

    void press(QAbstractButton *b) {
        ++presses_;
        b->click();
    }

    bool setRoute() {
        QAbstractButton *reset = pressable("Command1(0)");
        if (!reset) reset = pressable("Command1(1)");
        if (!reset) return false;
        press(reset);
        return true;
    }

    void act() {
        const Trip &trip = frmCtl()->trip();
        const bool atEnd = trip.loaded() && trip.CurIndex >= trip.RowCount - 1;
        if (!trip.loaded() || atEnd) {
            if (atEnd) ++laps_;
            if (atEnd && once_) return stop();
            setRoute();
            return;
        }
        QAbstractButton *next = mdlM_Tape::GetTapePos() < mdlM_Tape::GetTapeCount() ? pressable("cmdTapeNext") : nullptr;
        if (!next) next = pressable("Command2(1)");
        if (next) press(next);
    }

    QTimer timer_;
    QElapsedTimer sinceQuiet_;
    qint64 dueMs_ = 0;
    int intervalMs_ = 8000;
    bool once_ = false;
    bool on_ = false;
    int presses_ = 0;
    int laps_ = 0;
};

Driver *g_driver = nullptr;  // made at the first use: until then the dump has no section

Driver &driver() {
    if (!g_driver) {
        g_driver = new Driver;
        dump::registerSection(QStringLiteral("autoplay"), [] { return g_driver->state(); });
    }
    return *g_driver;
}

}  // namespace

void start(int seconds, bool once) { driver().start(qBound(1, seconds, 3600), once); }
void stop() {
    if (g_driver) g_driver->stop();
}
bool running() { return g_driver && g_driver->on(); }
QJsonObject state() { return driver().state(); }

void addMenuEntries(QMenu *menu) {
    QAction *a = menu->addAction(QStringLiteral("自動運行"));
    a->setCheckable(true);
    a->setChecked(running());
    QObject::connect(a, &QAction::toggled, [](bool on) {
        if (on) start(8);
        else stop();
    });
}

}  // namespace autoplay
