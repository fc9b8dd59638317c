#include "panel/autoplay.h"

#include "base/dump_sections.h"
#include "base/input_gate.h"
#include "media/audio_device.h"
#include "media/sound_channels.h"
#include "media/announcer.h"
#include "panel/command_set.h"
#include "panel/frm_ctl.h"
#include "core/trip_session.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

namespace {

constexpr int kPollMs = 100;

bool soundsPlaying(const AudioDevice &sound) {
    for (int slot = 0; slot < kAllSlots; ++slot)
        if (sound.playing(slot)) return true;
    return false;
}

}  // namespace

Autoplay::Autoplay(FrmCtl &panel, const AudioDevice &sound, QObject *parent)
    : QObject(parent), panel_(panel), sound_(sound) {
    connect(&timer_, &QTimer::timeout, this, &Autoplay::poll);
    qApp->installEventFilter(this);
}

void Autoplay::start(int seconds, bool once) {
    if (!inDump_) {
        // Registered at the first use: a program that never runs by itself dumps as before.
        inDump_ = true;
        dump::registerSection(QStringLiteral("autoplay"), [this] { return state(); });
    }
    intervalMs_ = qBound(1, seconds, 3600) * 1000;
    once_ = once;
    on_ = true;
    sinceQuiet_.start();
    dueMs_ = intervalMs_;
    timer_.start(kPollMs);
}

void Autoplay::stop() {
    on_ = false;
    timer_.stop();
}

QJsonObject Autoplay::state() const {
    return {{QStringLiteral("on"), on_}, {QStringLiteral("interval"), intervalMs_ / 1000}, {QStringLiteral("once"), once_},
            {QStringLiteral("presses"), presses_}, {QStringLiteral("laps"), laps_}};
}

void Autoplay::addMenuEntries(QMenu *menu) {
    QAction *a = menu->addAction(QStringLiteral("自動運行"));
    a->setCheckable(true);
    a->setChecked(running());
    connect(a, &QAction::toggled, this, [this](bool on) {
        if (on) start(8);
        else stop();
    });
}

// The operator's own mouse and keys (events from the window system, not the
// program's own presses) switch it off.
bool Autoplay::eventFilter(QObject *watched, QEvent *event) {
    if (on_ && event->spontaneous() && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        stop();
    return QObject::eventFilter(watched, event);
}

void Autoplay::poll() {
    // The interval counts from the moment the last sound, speech or pause ended.
    if (inputHeld() || soundsPlaying(sound_)) {
        sinceQuiet_.restart();
        return;
    }
    if (sinceQuiet_.elapsed() < dueMs_) return;
    act();
    sinceQuiet_.restart();
    dueMs_ = intervalMs_;
}

bool Autoplay::press(const char *command) {
    CommandSet &commands = panel_.commands();
    if (!commands.isAvailable(QLatin1String(command))) return false;
    // Counted first: the press may run a pause of its own before it returns.
    ++presses_;
    return commands.trigger(QLatin1String(command));
}

void Autoplay::act() {
    const Trip &trip = panel_.session().trip();
    const bool atEnd = trip.loaded() && trip.CurIndex >= trip.RowCount - 1;
    if (!trip.loaded() || atEnd) {
        if (atEnd) ++laps_;
        if (atEnd && once_) return stop();
        // リセット of whichever entry panel is in front.
        if (!press("reset.lists")) press("reset.keypad");
        return;
    }
    const bool announce = panel_.announcer().position() < panel_.announcer().count();
    if (!(announce && press("announceNext"))) press("forward");
}
