#include "media/background_decode.h"

#include "base/input_gate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include <chrono>
#include <future>
#include <memory>
#include <system_error>

namespace {

// Shorter than one frame at 60 Hz, so a chime never enters the event loop at all.
constexpr auto kInlineWait = std::chrono::milliseconds(8);

struct Result {
    DecodedSound sound;
    int lengthMs = 0;
};

}  // namespace

DecodedSound decodeKeepingWindowsLive(AudioDevice &device, const QString &path, int *lengthMs) {
    auto loop = std::make_shared<QPointer<QEventLoop>>();
    std::future<Result> job;
    try {
        job = std::async(std::launch::async, [&device, path, loop] {
            Result r;
            r.sound = device.decode(path, &r.lengthMs);
            // Wakes the waiting loop at once instead of letting it poll; a queued call
            // is safe from any thread, and does nothing when no loop waits.
            QMetaObject::invokeMethod(QCoreApplication::instance(), [loop] {
                if (*loop) (*loop)->quit();
            }, Qt::QueuedConnection);
            return r;
        });
    } catch (const std::system_error &) {  // no thread to be had: decode here
        return device.decode(path, lengthMs);
    }
    if (job.wait_for(kInlineWait) != std::future_status::ready) {
        InputHold hold;
        UnfinishedAction unfinished;
        QEventLoop waiting;
        *loop = &waiting;
        if (job.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            waiting.exec(QEventLoop::ExcludeUserInputEvents);
        *loop = nullptr;
    }
    Result r = job.get();
    if (lengthMs) *lengthMs = r.lengthMs;
    return std::move(r.sound);
}
