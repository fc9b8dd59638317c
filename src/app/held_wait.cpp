#include "app/held_wait.h"

#include "automation/input_gate.h"

#include <QEventLoop>
#include <QTimer>

void waitHoldingInput(int ms) {
    if (ms <= 0) return;
    InputHold hold;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
