#pragma once
// Speech with Open JTalk: a worker thread runs the open_jtalk program phrase by phrase
// and decodes what it writes; the window thread only puts each decoded phrase on the
// speech's own mixer slot, so it never waits for synthesis. The first phrase is made
// on its own, so speech starts while the rest of the text is still being made.
#include "media/audio_device.h"
#include "media/speech_engine.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <deque>
#include <memory>

#include <QThread>
class QTimer;

class OpenJTalkEngine : public QObject, public SpeechEngine {
    Q_OBJECT
public:
    // Nothing when the program, its dictionary or a voice is not installed.
    static std::unique_ptr<OpenJTalkEngine> create(AudioDevice &device);
    ~OpenJTalkEngine() override;

    void speak(const QString &text) override;
    void stop() override;
    bool idle() const override;
    void setSettings(const SpeechSettings &settings) override;

    // The phrases a text is synthesised in: the first up to its first pause mark
    // ("、", "。", ...), the rest by sentences.
    static QStringList phrases(const QString &text);

private:
    struct Job;
    OpenJTalkEngine(AudioDevice &device, QString program, QString dictionary, QString defaultVoice);
    QStringList arguments() const;
    void onPhrase(int generation, DecodedSound sound);
    void onSynthesisEnd(int generation, const QString &error);
    void poll();
    void fail(const QString &detail);
    void cancelJob();

    AudioDevice &device_;
    QString program_, dictionary_, defaultVoice_;
    SpeechSettings settings_;
    QTemporaryDir dir_;
    QTimer *timer_ = nullptr;
    std::shared_ptr<Job> job_;
    QPointer<QThread> worker_;  // the running synthesis, if any
    QString text_;
    std::deque<DecodedSound> toPlay_;
    bool synthesising_ = false;
    bool active_ = false;
    int generation_ = 0;
};
