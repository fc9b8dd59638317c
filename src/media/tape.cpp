#include "media/tape.h"

#include "base/dump_sections.h"
#include "base/event_log.h"
#include "companion/companion.h"
#include "media/open_jtalk_engine.h"
#include "media/snd_api.h"
#include "media/speech_dialog.h"
#include "media/speech_engine.h"
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

namespace mdlM_Tape {

namespace {

struct Module {
    bool SpeechOk = false;
    std::unique_ptr<SpeechEngine> Speech;
    std::vector<TapeEntry> TapeList;  // entry n is TapeList[n - 1]
    int TapePos = 0;
    bool followBoard = false;
    TapeHost *host = nullptr;
    QString settingsPath;
    EngineFactory factory = [] { return std::unique_ptr<SpeechEngine>(OpenJTalkEngine::create(snd::device())); };

    Module() { dump::registerSection(QStringLiteral("tape"), [this] { return json(); }); }

    int count() const { return static_cast<int>(TapeList.size()); }
    QJsonObject json() const {
        QJsonArray entries;
        for (const TapeEntry &e : TapeList)
            entries.append(QJsonObject{{"Text", e.Text}, {"StepFlag", e.StepFlag}, {"SoundFlag", e.SoundFlag}});
        return {{"SpeechOk", SpeechOk}, {"TapeCount", count()}, {"TapePos", TapePos}, {"entries", entries}};
    }
};

Module &m() {
    static Module module;
    return module;
}

bool isVista() { return GetOsInfo() == QLatin1String("Windows Vista"); }

// The sound before an announcement by the entry's sound mark.
QString soundByFlag(const TapeSounds &sounds, int flag) {
    return flag >= 1 && flag <= 3 ? sounds.byFlag[flag - 1] : QString();
}

void announce(const QString &sound, const char *channel, bool sync) {
    if (!sound.isEmpty()) PlaySnd(sound, QLatin1String(channel), sync ? 1 : 0, 0);
    SpeakTape(m().TapePos);
}

}  // namespace

void setHost(TapeHost *host) { m().host = host; }
void setSpeechSettingsPath(const QString &path) { m().settingsPath = path; }
void setEngineFactory(EngineFactory factory) { m().factory = std::move(factory); }

void InitTape() {
    Module &s = m();
    s.Speech.reset();
    s.SpeechOk = false;
    if (!isVista()) {
        s.Speech = s.factory();
        s.SpeechOk = s.Speech != nullptr;
    }
    if (s.Speech && !s.settingsPath.isEmpty()) s.Speech->setSettings(SpeechSettings::load(s.settingsPath));
    if (s.host) s.host->showSpeechAvailable(s.SpeechOk);
}

void LoadTape(const QString &folder, const QString &route) { UseTape(ReadTape(folder, route)); }

ReadList ReadTape(const QString &folder, const QString &route) {
    if (isVista()) return {true, std::nullopt};
    return {false, tape_list::readFile(tape_list::findFile(folder, route))};
}

void UseTape(ReadList list) {
    if (list.skipped) return;
    Module &s = m();
    s.TapePos = 0;
    if (!list.entries) {
        s.TapeList.clear();  // the old list is not used again
        if (s.host) s.host->setTapeFrameEnabled(false);
        return;
    }
    s.TapeList = std::move(*list.entries);
    if (s.SpeechOk && s.host) s.host->enableTapeButtons();
}

void TapeNext() {
    Module &s = m();
    if (++s.TapePos > s.count()) {
        s.TapePos = s.count();
        return;
    }
    const TapeSounds sounds = s.host ? s.host->tapeSounds() : TapeSounds{};
    announce(sounds.always ? sounds.always_file : soundByFlag(sounds, GetTapeSndFlag(s.TapePos)), "S3", sounds.sync);
}

void TapeBack() {
    Module &s = m();
    if (--s.TapePos < 1) {
        s.TapePos = 1;
        return;
    }
    const TapeSounds sounds = s.host ? s.host->tapeSounds() : TapeSounds{};
    announce(soundByFlag(sounds, GetTapeSndFlag(s.TapePos)), "S2", sounds.sync);
}

void SpeakTape(int n) {
    Module &s = m();
    if (!s.Speech || n < 1 || n > s.count()) return;
    s.Speech->stop();
    s.Speech->speak(s.TapeList[n - 1].Text);
    if (s.Speech->idle()) s.Speech->stop();
}

void SpeakText(const QString &text) {
    Module &s = m();
    if (!s.Speech) return;
    s.Speech->stop();
    s.Speech->speak(text);
}

void StopTape() {
    if (m().Speech) m().Speech->stop();
}

void ShowTapeSetDlg() {
    Module &s = m();
    if (!s.Speech) return;
    SpeechDialog dialog(*s.Speech, SpeechSettings::load(s.settingsPath), s.host ? s.host->tapeDialogParent() : nullptr);
    dialog.setWindowTitle(QStringLiteral("音声の調節"));
    if (dialog.exec() == QDialog::Accepted && !s.settingsPath.isEmpty()) dialog.settings().save(s.settingsPath);
}

int GetTapePos() { return m().TapePos; }

int GetTapeStepFlag(int n) { return n < 1 || n > m().count() ? 0 : m().TapeList[n - 1].StepFlag; }

int GetTapeSndFlag(int n) { return n < 1 || n > m().count() ? 0 : m().TapeList[n - 1].SoundFlag; }

int GetTapeCount() { return m().count(); }

void setFollowBoard(bool on) { m().followBoard = on; }
bool FollowBoard() { return m().followBoard; }
void FollowBoardRow(int steps) {
    if (m().followBoard) m().TapePos = tapePosForSteps(m().TapeList, steps);
}

QString GetTapeText(int n) { return n < 1 || n > m().count() ? QString() : m().TapeList[n - 1].Text; }

void ReleaseTape() { m().Speech.reset(); }

bool IsFileExist(const QString &path) { return snd::isPlainFile(path); }

bool SpeechOk() { return m().SpeechOk; }

}  // namespace mdlM_Tape
