#pragma once
// Calls something that might block on a FIFO, for at most a time: when it has not
// returned by then, the FIFO gets a writer for a moment so the call can end, and the
// answer is empty (the call hung).
#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <optional>
#include <unistd.h>

template <typename Call>
auto finishesWithin(int ms, const QString &fifo, Call call) -> std::optional<decltype(call())> {
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::milliseconds(ms)) == std::future_status::ready) return done.get();
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);  // before waiting: a reader waits on a writer that is still there
    done.wait();
    return std::nullopt;
}
