#include "media/speech_dialog.h"

#include "media/speech_engine.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

QSpinBox *spinBox(QWidget *parent, const char *name, int min, int max, int value, const QString &suffix) {
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(min, max);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

SpeechDialog::SpeechDialog(SpeechEngine &engine, const SpeechSettings &initial, QWidget *parent)
    : QDialog(parent), engine_(engine), initial_(initial.clamped()) {
    setObjectName(QStringLiteral("dlgSpeech"));
    setWindowTitle(QStringLiteral("音声の調節"));
    auto *form = new QFormLayout(this);
    speed_ = spinBox(this, "txtSpeed", 50, 200, initial_.speed, QStringLiteral(" %"));
    pitch_ = spinBox(this, "txtPitch", -12, 12, initial_.pitch, QStringLiteral(" 半音"));
    volume_ = spinBox(this, "txtVolume", 0, 100, initial_.volume, QStringLiteral(" %"));
    form->addRow(QStringLiteral("速さ："), speed_);
    form->addRow(QStringLiteral("高さ："), pitch_);
    form->addRow(QStringLiteral("音量："), volume_);

    auto *voiceRow = new QHBoxLayout;
    voice_ = new QLineEdit(initial_.voice, this);
    voice_->setObjectName(QStringLiteral("txtVoice"));
    voice_->setPlaceholderText(QStringLiteral("標準の声"));
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("cmdVoice"));
    voiceRow->addWidget(voice_);
    voiceRow->addWidget(browse);
    form->addRow(QStringLiteral("声："), voiceRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    auto *listenButton = buttons->addButton(QStringLiteral("試聴"), QDialogButtonBox::ActionRole);
    listenButton->setObjectName(QStringLiteral("cmdListen"));
    form->addRow(buttons);

    connect(browse, &QPushButton::clicked, this, &SpeechDialog::chooseVoice);
    connect(listenButton, &QPushButton::clicked, this, &SpeechDialog::listen);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString SpeechDialog::sampleText() { return QStringLiteral("次は、市役所前です。お降りの方はお知らせください。"); }

SpeechSettings SpeechDialog::settings() const {
    return SpeechSettings{speed_->value(), pitch_->value(), volume_->value(), voice_->text().trimmed()}.clamped();
}

void SpeechDialog::chooseVoice() {
    const QString start = voice_->text().isEmpty() ? QStringLiteral("/usr/share/hts-voice") : QFileInfo(voice_->text()).path();
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("声の選択"), start,
                                                      QStringLiteral("HTS voice (*.htsvoice)"));
    if (!file.isEmpty()) voice_->setText(file);
}

void SpeechDialog::listen() {
    engine_.setSettings(settings());
    engine_.speak(sampleText());
}

void SpeechDialog::done(int result) {
    engine_.stop();
    engine_.setSettings(result == QDialog::Accepted ? settings() : initial_);
    QDialog::done(result);
}
