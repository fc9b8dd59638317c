#pragma once
// "音声の調節": speed, pitch, volume and voice file of the announcements, with
// "試聴" to hear the current values. OK keeps them in the engine; キャンセル
// puts the engine back as it was.
#include "media/speech_settings.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;
class SpeechEngine;

class SpeechDialog : public QDialog {
    Q_OBJECT
public:
    SpeechDialog(SpeechEngine &engine, const SpeechSettings &initial, QWidget *parent = nullptr);
    SpeechSettings settings() const;

    // The sentence "試聴" speaks.
    static QString sampleText();

    void done(int result) override;

private:
    void chooseVoice();
    void listen();

    SpeechEngine &engine_;
    SpeechSettings initial_;
    QSpinBox *speed_ = nullptr;
    QSpinBox *pitch_ = nullptr;
    QSpinBox *volume_ = nullptr;
    QLineEdit *voice_ = nullptr;
};
