#include "sound/open_jtalk_engine.h"

#include "sound/audio_device.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString firstExisting(std::initializer_list<const char *> paths, bool dir) {
    for (const char *p : paths) {
        const QFileInfo info(QString::fromUtf8(p));
        if (dir ? info.isDir() : info.isFile()) return info.filePath();
    }
    return QString();
}

}  // namespace

std::unique_ptr<OpenJTalkEngine> OpenJTalkEngine::create(AudioDevice &device) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("open_jtalk"));
    const QString dictionary = firstExisting(
        {"/var/lib/mecab/dic/open-jtalk/naist-jdic", "/usr/share/open_jtalk/dic", "/usr/local/share/open_jtalk/dic"}, true);
    const QString voice = firstExisting({"/usr/share/hts-voice/nitech-jp-atr503-m001/nitech_jp_atr503_m001.htsvoice",
                                         "/usr/local/share/hts-voice/nitech_jp_atr503_m001.htsvoice"},
                                        false);
    if (program.isEmpty() || dictionary.isEmpty() || voice.isEmpty()) return nullptr;
    auto engine = std::unique_ptr<OpenJTalkEngine>(new OpenJTalkEngine(device, program, dictionary, voice));
    if (!engine->dir_.isValid()) return nullptr;
    return engine;
}

OpenJTalkEngine::OpenJTalkEngine(AudioDevice &device, QString program, QString dictionary, QString defaultVoice)
    : device_(device), program_(std::move(program)), dictionary_(std::move(dictionary)),
      defaultVoice_(std::move(defaultVoice)), timer_(new QTimer(this)) {
    timer_->setInterval(10);
    connect(timer_, &QTimer::timeout, this, &OpenJTalkEngine::poll);
}

OpenJTalkEngine::~OpenJTalkEngine() {
    if (process_) {
        process_->disconnect(this);
        process_->kill();
        process_->waitForFinished(1000);
    }
    device_.close(kSpeechSlot);
}

QStringList OpenJTalkEngine::phrases(const QString &text) {
    static const QRegularExpression firstPause(QStringLiteral("[、。，．！？!?]"));
    static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[。．！？!?])"));
    QStringList out;
    const QRegularExpressionMatch m = firstPause.match(text);
    const qsizetype cut = m.hasMatch() ? m.capturedEnd() : text.size();
    out << text.left(cut);
    for (const QString &s : text.mid(cut).split(sentenceEnd))
        if (!s.trimmed().isEmpty()) out << s;
    return out;
}

void OpenJTalkEngine::speak(const QString &text) {
    stop();
    if (text.trimmed().isEmpty()) return;
    ++generation_;
    text_ = text;
    toSynthesise_ = phrases(text);
    active_ = true;
    speech::recordEvent(QStringLiteral("started"), text_);
    synthesiseNext();
    timer_->start();
}

void OpenJTalkEngine::stop() {
    ++generation_;
    if (process_) {
        process_->disconnect(this);
        process_->kill();
        process_->deleteLater();  // reaped when it has gone
        process_ = nullptr;
    }
    device_.close(kSpeechSlot);
    timer_->stop();
    toSynthesise_.clear();
    toPlay_.clear();
    if (active_) speech::recordEvent(QStringLiteral("stopped"), text_);
    active_ = false;
}

bool OpenJTalkEngine::idle() const { return !active_; }

void OpenJTalkEngine::setSettings(const SpeechSettings &settings) {
    settings_ = settings.clamped();
    device_.setVolume(kSpeechSlot, settings_.volume / 100.0);
}

QString OpenJTalkEngine::voiceFile() const {
    return !settings_.voice.isEmpty() && QFileInfo(settings_.voice).isFile() ? settings_.voice : defaultVoice_;
}

void OpenJTalkEngine::synthesiseNext() {
    if (toSynthesise_.isEmpty() || process_) return;
    const QString piece = toSynthesise_.takeFirst();
    const QString wav = dir_.filePath(QStringLiteral("speech-%1.wav").arg(++pieceNo_));
    auto *p = new QProcess(this);
    process_ = p;
    const int generation = generation_;
    connect(p, &QProcess::finished, this, [this, p, generation, wav](int exitCode, QProcess::ExitStatus status) {
        p->deleteLater();
        if (process_ == p) process_ = nullptr;
        onSynthesised(generation, status == QProcess::NormalExit ? exitCode : -1, wav);
    });
    connect(p, &QProcess::errorOccurred, this, [this, p, generation](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart || generation != generation_) return;
        p->deleteLater();
        if (process_ == p) process_ = nullptr;
        fail(QStringLiteral("open_jtalk could not be started"));
    });
    p->start(program_, {QStringLiteral("-x"), dictionary_, QStringLiteral("-m"), voiceFile(), QStringLiteral("-r"),
                        QString::number(settings_.speed / 100.0, 'f', 2), QStringLiteral("-fm"),
                        QString::number(settings_.pitch), QStringLiteral("-ow"), wav});
    p->write(piece.toUtf8() + '\n');
    p->closeWriteChannel();
}

void OpenJTalkEngine::onSynthesised(int generation, int exitCode, const QString &wav) {
    if (generation != generation_) return;
    if (exitCode != 0 || !QFileInfo(wav).isFile()) return fail(QStringLiteral("open_jtalk failed (exit %1)").arg(exitCode));
    toPlay_ << wav;
    synthesiseNext();
    poll();
}

void OpenJTalkEngine::poll() {
    if (!active_ || device_.playing(kSpeechSlot)) return;
    if (!toPlay_.isEmpty()) {
        const QString wav = toPlay_.takeFirst();
        int lengthMs = 0;
        const bool loaded = device_.ready() && device_.load(kSpeechSlot, wav, &lengthMs);
        QFile::remove(wav);
        if (!loaded) return fail(device_.ready() ? QStringLiteral("synthesised speech could not be read")
                                                 : QStringLiteral("no audio device"));
        device_.setVolume(kSpeechSlot, settings_.volume / 100.0);
        device_.play(kSpeechSlot);
        return;
    }
    if (process_ || !toSynthesise_.isEmpty()) return;  // the next phrase is still being made
    active_ = false;
    timer_->stop();
    device_.close(kSpeechSlot);
    speech::recordEvent(QStringLiteral("finished"), text_);
}

void OpenJTalkEngine::fail(const QString &detail) {
    const QString text = text_;
    stop();
    speech::recordEvent(QStringLiteral("error"), text, detail);
}
