#include "media/recorder.h"

#include "media/encoder_module.h"
#include "media/sound_channels.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
constexpr int kToleranceMs = 15;
}  // namespace

Recorder::Recorder(AudioDevice &device, QObject *parent)
    : QObject(parent), device_(device), sinkFactory_(newModuleEncoder), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &Recorder::tick);
}

Recorder::~Recorder() { stop(); }

int64_t Recorder::clockFrame(int rate) const {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - t0_).count();
    return ns * rate / 1000000000;
}

qint64 Recorder::elapsedMs() const { return active() ? clockFrame(1000) : 0; }

bool Recorder::start(const QString &path, QSize size, int fps, FrameSource source, QString *error) {
    if (active()) stop();
    RecordingFormat format;
    format.path = path;
    format.size = QSize((size.width() + 1) / 2 * 2, (size.height() + 1) / 2 * 2);
    format.fps = fps;
    format.container = containerFor(path);
    // Listening starts first, for the mix's own format; blocks are let go until the
    // timeline is there. Without any mix the recording gets silence of the usual format.
    const std::optional<MixFormat> mix = device_.listenToMix(this);
    hearsMix_ = mix.has_value();
    if (mix) {
        format.sampleRate = mix->sampleRate;
        format.channels = mix->channels;
    }
    std::unique_ptr<EncoderSink> sink = sinkFactory_();
    if (!sink->open(format, error)) {
        if (hearsMix_) device_.listenToMix(nullptr);
        return false;
    }
    format_ = format;
    source_ = std::move(source);
    nextFrame_ = 0;
    framesMissed_ = 0;
    longestLateMs_ = 0;
    last_ = QJsonObject();
    {
        std::lock_guard lock(audioMutex_);
        worker_ = std::make_unique<EncodeWorker>(std::move(sink), format.channels);
        t0_ = std::chrono::steady_clock::now();
    }
    // The clock starts at the event loop's next turn: a recording asked for at start-up
    // then begins with the windows shown, not while they are still being made.
    timer_->start(0);
    emit started(path);
    return true;
}

void Recorder::mixed(const int16_t *samples, int frames) {
    std::lock_guard lock(audioMutex_);
    if (!timeline_) return;
    std::vector<int16_t> out;
    timeline_->place(samples, frames, clockFrame(format_.sampleRate), out);
    worker_->pushAudio(std::move(out));
}

void Recorder::scheduleTick() {
    const auto due = t0_ + std::chrono::nanoseconds(nextFrame_ * 1000000000 / format_.fps);
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(due - std::chrono::steady_clock::now()).count();
    timer_->start(int(qMax<int64_t>(0, wait)));
}

void Recorder::tick() {
    if (!active()) return;
    if (!timeline_) {
        // The clock starts with the first picture: drawing the whole board the first
        // time is no late tick, and the sound starts where that picture shows.
        pushFrame(0);
        std::lock_guard lock(audioMutex_);
        timeline_ = std::make_unique<AudioTimeline>(format_.channels, int64_t(format_.sampleRate) * kToleranceMs / 1000);
        t0_ = std::chrono::steady_clock::now();
        nextFrame_ = 1;
        return scheduleTick();
    }
    const EncodeWorker::Stats stats = worker_->stats();
    if (stats.failed) return end(stats.error);
    // How late this tick came: the window thread was busy for that long.
    longestLateMs_ = std::max(longestLateMs_, clockFrame(1000) - nextFrame_ * 1000 / format_.fps);
    const int64_t due = clockFrame(format_.fps);
    if (due >= nextFrame_) {
        framesMissed_ += due - nextFrame_;
        pushFrame(due);
        nextFrame_ = due + 1;
    }
    if (!hearsMix_) {
        std::vector<int16_t> silence;
        std::lock_guard lock(audioMutex_);
        timeline_->padTo(clockFrame(format_.sampleRate), silence);
        worker_->pushAudio(std::move(silence));
    }
    scheduleTick();
}

void Recorder::pushFrame(int64_t index) {
    QImage frame = source_();
    if (frame.size() != format_.size) frame = frame.copy(QRect(QPoint(0, 0), format_.size));
    worker_->pushFrame(frame, index);
}

void Recorder::stop() {
    if (active()) end(QString());
}

void Recorder::end(const QString &error) {
    timer_->stop();
    if (hearsMix_) device_.listenToMix(nullptr);
    std::vector<int16_t> tail;
    {
        // The sound runs to the end of the last picture.
        std::lock_guard lock(audioMutex_);
        if (timeline_) timeline_->padTo(nextFrame_ * format_.sampleRate / format_.fps, tail);
    }
    worker_->pushAudio(std::move(tail));
    worker_->finish();  // the thread ends here; only this thread uses the worker now
    const QString why = error.isEmpty() ? worker_->stats().error : error;
    last_ = counts();
    if (!why.isEmpty()) last_.insert(QStringLiteral("error"), why);
    {
        std::lock_guard lock(audioMutex_);
        timeline_.reset();
        worker_.reset();
    }
    source_ = nullptr;
    emit stopped(why);
}

QJsonObject Recorder::counts() const {
    const EncodeWorker::Stats stats = worker_->stats();
    return QJsonObject{{QStringLiteral("file"), format_.path},
                       {QStringLiteral("framesWritten"), qint64(stats.framesWritten)},
                       {QStringLiteral("framesDropped"), qint64(stats.framesDropped + framesMissed_)},
                       {QStringLiteral("seconds"), double(nextFrame_) / format_.fps},
                       {QStringLiteral("longestTickLateMs"), qint64(longestLateMs_)}};
}

QJsonObject Recorder::summary() const {
    if (!active()) return last_;
    QJsonObject o = counts();
    o.insert(QStringLiteral("recording"), true);
    return o;
}
