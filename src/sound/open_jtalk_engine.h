#pragma once
// Speech with Open JTalk: the text is synthesised by the open_jtalk program in the
// background (never on the window thread) and played on the speech's own mixer slot.
// The first phrase is synthesised on its own, so speech starts while the rest of the
// text is still being made.
#include "sound/speech_engine.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class AudioDevice;
class QProcess;
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
    OpenJTalkEngine(AudioDevice &device, QString program, QString dictionary, QString defaultVoice);
    void synthesiseNext();
    void onSynthesised(int generation, int exitCode, const QString &wav);
    void poll();
    void fail(const QString &detail);
    QString voiceFile() const;

    AudioDevice &device_;
    QString program_, dictionary_, defaultVoice_;
    SpeechSettings settings_;
    QTemporaryDir dir_;
    QProcess *process_ = nullptr;
    QTimer *timer_ = nullptr;
    QString text_;
    QStringList toSynthesise_;
    QStringList toPlay_;
    bool active_ = false;
    int generation_ = 0;
    int pieceNo_ = 0;
};
