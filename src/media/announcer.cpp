#include "media/announcer.h"

#include "base/event_log.h"
#include "companion/companion.h"
#include "media/sound_channels.h"
#include "media/speech_dialog.h"
#include "media/tape_follow.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace speech {
void recordEvent(const QString &state, const QString &text, const QString &detail) {
    QJsonObject fields{{"state", state}, {"text", text}};
    if (!detail.isEmpty()) fields.insert(QStringLiteral("detail"), detail);
    events::record(QStringLiteral("speech"), fields);
}
}  // namespace speech

namespace {

bool isVista() { return GetOsInfo() == QLatin1String("Windows Vista"); }

// The sound before an announcement by the entry's sound mark.
QString soundByFlag(const TapeSounds &sounds, int flag) {
    return flag >= 1 && flag <= 3 ? sounds.byFlag[flag - 1] : QString();
}

}  // namespace

Announcer::Announcer(SoundChannels &channels, EngineFactory factory)
    : channels_(channels), factory_(std::move(factory)) {}

Announcer::~Announcer() = default;

void Announcer::announce(const QString &sound, const char *channel, bool sync) {
    if (!sound.isEmpty()) channels_.play(sound, QLatin1String(channel), sync ? 1 : 0, 0);
    speak(pos_);
}

void Announcer::init() {
    speech_.reset();
    speechOk_ = false;
    if (!isVista()) {
        speech_ = factory_ ? factory_() : nullptr;
        speechOk_ = speech_ != nullptr;
    }
    if (speech_ && !settingsPath_.isEmpty()) speech_->setSettings(SpeechSettings::load(settingsPath_));
    if (host_) host_->showSpeechAvailable(speechOk_);
}

void Announcer::load(const QString &folder, const QString &route) { use(read(folder, route)); }

Announcer::ReadList Announcer::read(const QString &folder, const QString &route) {
    if (isVista()) return {true, std::nullopt};
    return {false, tape_list::readFile(tape_list::findFile(folder, route))};
}

void Announcer::use(ReadList list) {
    if (list.skipped) return;
    pos_ = 0;
    if (!list.entries) {
        list_.clear();  // the old list is not used again
        if (host_) host_->setTapeFrameEnabled(false);
        return;
    }
    list_ = std::move(*list.entries);
    if (speechOk_ && host_) host_->enableTapeButtons();
}

void Announcer::next() {
    if (++pos_ > count()) {
        pos_ = count();
        return;
    }
    const TapeSounds sounds = host_ ? host_->tapeSounds() : TapeSounds{};
    announce(sounds.always ? sounds.always_file : soundByFlag(sounds, soundFlag(pos_)), "S3", sounds.sync);
}

void Announcer::back() {
    if (--pos_ < 1) {
        pos_ = 1;
        return;
    }
    const TapeSounds sounds = host_ ? host_->tapeSounds() : TapeSounds{};
    announce(soundByFlag(sounds, soundFlag(pos_)), "S2", sounds.sync);
}

void Announcer::speak(int n) {
    if (!speech_ || n < 1 || n > count()) return;
    speech_->stop();
    speech_->speak(list_[n - 1].Text);
    if (speech_->idle()) speech_->stop();
}

void Announcer::speakText(const QString &text) {
    if (!speech_) return;
    speech_->stop();
    speech_->speak(text);
}

void Announcer::stop() {
    if (speech_) speech_->stop();
}

void Announcer::showAdjustDialog() {
    if (!speech_) return;
    SpeechDialog dialog(*speech_, SpeechSettings::load(settingsPath_), host_ ? host_->tapeDialogParent() : nullptr);
    dialog.setWindowTitle(QStringLiteral("音声の調節"));
    if (dialog.exec() == QDialog::Accepted && !settingsPath_.isEmpty()) dialog.settings().save(settingsPath_);
}

int Announcer::stepFlag(int n) const { return n < 1 || n > count() ? 0 : list_[n - 1].StepFlag; }

int Announcer::soundFlag(int n) const { return n < 1 || n > count() ? 0 : list_[n - 1].SoundFlag; }

void Announcer::followBoardRow(int steps) {
    if (followBoard_) pos_ = tapePosForSteps(list_, steps);
}

QString Announcer::text(int n) const { return n < 1 || n > count() ? QString() : list_[n - 1].Text; }

void Announcer::release() { speech_.reset(); }

QJsonObject Announcer::dumpState() const {
    QJsonArray entries;
    for (const TapeEntry &e : list_)
        entries.append(QJsonObject{{"Text", e.Text}, {"StepFlag", e.StepFlag}, {"SoundFlag", e.SoundFlag}});
    return {{"SpeechOk", speechOk_}, {"TapeCount", count()}, {"TapePos", pos_}, {"entries", entries}};
}
