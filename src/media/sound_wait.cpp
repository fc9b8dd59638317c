#include "media/sound_wait.h"

#include "base/input_gate.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

void waitHoldingInputWhile(const std::function<bool()> &busy, int maxMs) {
    if (maxMs <= 0 || !busy()) return;
    InputHold hold;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!busy() || clock.elapsed() >= maxMs) loop.quit();
    });
    poll.start(qMin(5, maxMs));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
