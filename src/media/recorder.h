#pragma once
// Records pictures and the program's own sound into a video file. Pictures come from
// a function called on the window thread at the recording's frame rate (on a clock,
// so a late tick takes the frame that is due, not the next one); the sound is the
// mixer's output as it is produced. Both are stamped on one clock from the start, so
// they stay together; encoding runs on a worker thread (EncodeWorker).
#include "media/audio_device.h"
#include "media/audio_timeline.h"
#include "media/encode_worker.h"
#include "media/encoder_sink.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonObject>
#include <QObject>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

class QTimer;

class Recorder : public QObject, private MixListener {
    Q_OBJECT
public:
    using FrameSource = std::function<QImage()>;
    using SinkFactory = std::function<std::unique_ptr<EncoderSink>()>;

    // Records the mix that `device` plays.
    explicit Recorder(AudioDevice &device, QObject *parent = nullptr);
    ~Recorder() override;

    // Starts writing `path`; `source` gives pictures of `size`. False, with `error`
    // saying why, when the file cannot be made (nothing else changes then).
    bool start(const QString &path, QSize size, int fps, FrameSource source, QString *error);
    // Ends the recording; the file is complete. Harmless when not recording.
    void stop();
    bool active() const { return worker_ != nullptr; }

    // Tests put in a sink of their own (default: a video file).
    void setSinkFactory(SinkFactory factory) { sinkFactory_ = std::move(factory); }

    // The last (or present) recording: file, framesWritten, framesDropped, seconds, and
    // error when it ended by a fault.
    QJsonObject summary() const;
    qint64 elapsedMs() const;

signals:
    void started(const QString &path);
    // `error` is empty when asked to stop; else why the writing failed.
    void stopped(const QString &error);

private:
    void mixed(const int16_t *samples, int frames) override;
    void tick();
    void scheduleTick();
    // The board's picture now, handed to the encoder as picture `index`.
    void pushFrame(int64_t index);
    void end(const QString &error);
    int64_t clockFrame(int rate) const;  // frames of `rate` since the start
    QJsonObject counts() const;

    AudioDevice &device_;
    SinkFactory sinkFactory_;
    FrameSource source_;
    std::unique_ptr<EncodeWorker> worker_;
    QTimer *timer_;
    RecordingFormat format_;
    std::chrono::steady_clock::time_point t0_;
    int64_t nextFrame_ = 0;
    int64_t framesMissed_ = 0;  // ticks the window thread came too late for
    int64_t longestLateMs_ = 0;  // the latest a tick came after its frame was due
    bool hearsMix_ = false;
    std::mutex audioMutex_;  // the timeline and the worker, against the audio thread
    std::unique_ptr<AudioTimeline> timeline_;
    QJsonObject last_;
};
