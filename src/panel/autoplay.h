#pragma once
// 自動運行: the trip runs by itself. After a route set it announces the next stop
// with 送り when an announcement list is loaded, else steps with データ送り; waits the
// interval after the sounds and speech have ended, and goes on. At the terminal it
// waits, sets the route again and starts over (or, once, stops there). It triggers
// the panel's own commands, so what is greyed stays out of reach and every pause
// holds it as it holds a person; any input of the operator switches it off.
#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

class AudioDevice;
class FrmCtl;
class QMenu;

class Autoplay : public QObject {
public:
    // Waits for what `sound` plays (channels and speech) before it goes on.
    Autoplay(FrmCtl &panel, const AudioDevice &sound, QObject *parent = nullptr);

    // SECONDS between stops (1..3600); `once` stops at the terminal.
    void start(int seconds, bool once = false);
    void stop();
    bool running() const { return on_; }
    // The board's menu entry "自動運行" (on / off).
    void addMenuEntries(QMenu *menu);
    // on, interval, once, presses, laps (the dump's `autoplay` section, there once used).
    QJsonObject state() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void poll();
    bool press(const char *command);
    void act();

    FrmCtl &panel_;
    const AudioDevice &sound_;
    QTimer timer_;
    QElapsedTimer sinceQuiet_;
    qint64 dueMs_ = 0;
    int intervalMs_ = 8000;
    bool once_ = false;
    bool on_ = false;
    bool inDump_ = false;
    int presses_ = 0;
    int laps_ = 0;
};
