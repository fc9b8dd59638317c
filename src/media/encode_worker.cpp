#include "media/encode_worker.h"

EncodeWorker::EncodeWorker(std::unique_ptr<EncoderSink> sink, int channels)
    : sink_(std::move(sink)), channels_(channels), thread_([this] { run(); }) {}

EncodeWorker::~EncodeWorker() { finish(); }

bool EncodeWorker::pushFrame(const QImage &frame, int64_t index) {
    std::lock_guard lock(mutex_);
    if (ending_ || stats_.failed || queuedFrames_ >= kMaxQueuedFrames) {
        ++stats_.framesDropped;
        return false;
    }
    queue_.push_back(Item{frame, index, {}});
    ++queuedFrames_;
    wake_.notify_one();
    return true;
}

void EncodeWorker::pushAudio(std::vector<int16_t> samples) {
    if (samples.empty()) return;
    std::lock_guard lock(mutex_);
    if (ending_ || stats_.failed || queuedSamples_ > kMaxQueuedSamples) return;
    queuedSamples_ += samples.size();
    queue_.push_back(Item{QImage(), 0, std::move(samples)});
    wake_.notify_one();
}

void EncodeWorker::finish() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        wake_.notify_one();
    }
    if (thread_.joinable()) thread_.join();
}

EncodeWorker::Stats EncodeWorker::stats() const {
    std::lock_guard lock(mutex_);
    return stats_;
}

void EncodeWorker::write(Item &item) {
    QString error;
    const bool ok = item.frame.isNull()
                        ? sink_->writeAudio(item.samples.data(), int(item.samples.size()) / channels_, &error)
                        : sink_->writeVideo(item.frame, item.index, &error);
    std::lock_guard lock(mutex_);
    if (!ok) {
        stats_.failed = true;
        stats_.error = error;
    } else if (!item.frame.isNull()) {
        ++stats_.framesWritten;
    }
}

void EncodeWorker::run() {
    for (;;) {
        Item item;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return ending_ || !queue_.empty(); });
            if (queue_.empty() || stats_.failed) break;
            item = std::move(queue_.front());
            queue_.pop_front();
            if (item.frame.isNull()) queuedSamples_ -= item.samples.size();
            else --queuedFrames_;
        }
        write(item);
    }
    QString error;
    const bool closed = sink_->finish(&error);
    std::lock_guard lock(mutex_);
    stats_.framesDropped += static_cast<int64_t>(queuedFrames_);
    queue_.clear();
    if (!closed && !stats_.failed) {
        stats_.failed = true;
        stats_.error = error;
    }
}
