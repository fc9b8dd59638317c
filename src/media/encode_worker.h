#pragma once
// The recording's encoder on a thread of its own, fed through a bounded queue. The
// window thread hands pictures over and never waits for the encoder: a picture that
// finds the queue full is dropped and counted (the file shows the one before longer).
// A write that fails (a full disk) ends the writing; the file keeps what was written.
#include "media/encoder_sink.h"

#include <QImage>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class EncodeWorker {
public:
    static constexpr size_t kMaxQueuedFrames = 6;
    // Sound is small; this much (in samples) waits at most before the oldest is let go.
    static constexpr size_t kMaxQueuedSamples = 44100 * 2 * 10;

    // Takes an opened sink, whose sound has `channels` channels.
    EncodeWorker(std::unique_ptr<EncoderSink> sink, int channels);
    ~EncodeWorker();

    // False when the picture was dropped (queue full, or the writing has failed).
    bool pushFrame(const QImage &frame, int64_t index);
    void pushAudio(std::vector<int16_t> samples);
    // Writes what is queued, closes the file and ends the thread.
    void finish();

    struct Stats {
        int64_t framesWritten = 0;
        int64_t framesDropped = 0;
        bool failed = false;
        QString error;
    };
    Stats stats() const;

private:
    struct Item {
        QImage frame;  // null: sound
        int64_t index = 0;
        std::vector<int16_t> samples;
    };
    void run();
    void write(Item &item);

    std::unique_ptr<EncoderSink> sink_;
    int channels_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Item> queue_;
    size_t queuedFrames_ = 0;
    size_t queuedSamples_ = 0;
    bool ending_ = false;
    Stats stats_;
    std::thread thread_;
};
