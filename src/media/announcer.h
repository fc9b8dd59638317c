#pragma once
// The announcer: spoken stop announcements, walked through like a tape with "送り"
// and "戻し". The panel that carries the announcement frame takes part through
// TapeHost. One is made by the program's top and handed to whoever announces.
#include "core/tape_list.h"
#include "media/speech_engine.h"

#include <QJsonObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;
class SoundChannels;

// The pre-announcement sounds as the options hold them at the moment of use.
struct TapeSounds {
    bool always = true;   // TapeAlways: the same sound before every announcement
    bool sync = true;     // TapeSync: the sound ends before speaking starts
    QString always_file;  // TapeSound
    QString byFlag[3];    // TapeSound1..3
};

// What the announcement module needs of the panel.
class TapeHost {
public:
    virtual ~TapeHost() = default;
    // Caption "音合使用可" / "音合使用不可" and the frame's enabling.
    virtual void showSpeechAvailable(bool available) = 0;
    // The frame alone (a failed list load disables it).
    virtual void setTapeFrameEnabled(bool enabled) = 0;
    // The frame and its four buttons (a list was loaded while speech is available).
    virtual void enableTapeButtons() = 0;
    virtual TapeSounds tapeSounds() const = 0;
    // Owner of the adjustment dialog.
    virtual QWidget *tapeDialogParent() = 0;
};

class Announcer {
public:
    using EngineFactory = std::function<std::unique_ptr<SpeechEngine>()>;

    // `factory` makes the speech engine at init() (the program's: Open JTalk on the
    // sound device); the sounds before announcements play on `channels`.
    Announcer(SoundChannels &channels, EngineFactory factory);
    ~Announcer();
    Announcer(const Announcer &) = delete;
    Announcer &operator=(const Announcer &) = delete;

    // Wiring, before init(): the panel, the speech settings file, and (tests) the engine.
    void setHost(TapeHost *host) { host_ = host; }
    void setSpeechSettingsPath(const QString &path) { settingsPath_ = path; }
    void setEngineFactory(EngineFactory factory) { factory_ = std::move(factory); }

    void init();
    void load(const QString &folder, const QString &route);
    // load() in two halves, so that a route set that is then refused can keep the
    // list it had: read() reads the file and changes nothing, use() puts it in place
    // with every effect load() has (a failed read disables the frame).
    struct ReadList {
        bool skipped = false;  // the platform does not load lists
        std::optional<std::vector<TapeEntry>> entries;
    };
    static ReadList read(const QString &folder, const QString &route);
    void use(ReadList list);
    // "送り" and "戻し".
    void next();
    void back();
    void speak(int n);
    // Speaks a text that is not on the list (the route editor's 試聴), with the same engine.
    void speakText(const QString &text);
    void stop();
    void showAdjustDialog();
    int position() const { return pos_; }
    int stepFlag(int n) const;
    int soundFlag(int n) const;
    int count() const { return static_cast<int>(list_.size()); }
    // Keeping the list in step with the board (tape_follow.h): on or off, and moving
    // the list to where `steps` rows from the route's first row bring the board.
    void setFollowBoard(bool on) { followBoard_ = on; }
    bool followsBoard() const { return followBoard_; }
    void followBoardRow(int steps);
    // The words entry n would speak; empty when there is no such entry.
    QString text(int n) const;
    // Lets go of the speech engine (at exit).
    void release();
    // Speech synthesis was found usable at start-up.
    bool speechOk() const { return speechOk_; }
    // The dump's "tape" section.
    QJsonObject dumpState() const;

private:
    void announce(const QString &sound, const char *channel, bool sync);

    SoundChannels &channels_;
    EngineFactory factory_;
    bool speechOk_ = false;
    std::unique_ptr<SpeechEngine> speech_;
    std::vector<TapeEntry> list_;  // entry n is list_[n - 1]
    int pos_ = 0;
    bool followBoard_ = false;
    TapeHost *host_ = nullptr;
    QString settingsPath_;
};
