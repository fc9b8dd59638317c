#pragma once
// mdlM_Tape: spoken stop announcements, walked through like a tape with "送り" and
// "戻し". The panel that carries the announcement frame takes part through TapeHost.
#include "core/tape_list.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;
class SpeechEngine;

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

namespace mdlM_Tape {

using EngineFactory = std::function<std::unique_ptr<SpeechEngine>()>;

// Wiring, before InitTape: the panel, the speech settings file, and (tests) the engine.
void setHost(TapeHost *host);
void setSpeechSettingsPath(const QString &path);
void setEngineFactory(EngineFactory factory);

void InitTape();
void LoadTape(const QString &folder, const QString &route);
// LoadTape in two halves, so that a route set that is then refused can keep the
// list it had: ReadTape reads the file and changes nothing, UseTape puts it in place
// with every effect LoadTape has (a failed read disables the frame).
struct ReadList {
    bool skipped = false;  // the platform does not load lists
    std::optional<std::vector<TapeEntry>> entries;
};
ReadList ReadTape(const QString &folder, const QString &route);
void UseTape(ReadList list);
void TapeNext();
void TapeBack();
void SpeakTape(int n);
// Speaks a text that is not on the list (the route editor's 試聴), with the same engine.
void SpeakText(const QString &text);
void StopTape();
void ShowTapeSetDlg();
int GetTapePos();
int GetTapeStepFlag(int n);
int GetTapeSndFlag(int n);
int GetTapeCount();
// Keeping the list in step with the board (tape_follow.h): on or off, and moving
// the list to where `steps` rows from the route's first row bring the board.
void setFollowBoard(bool on);
bool FollowBoard();
void FollowBoardRow(int steps);
// The words entry n would speak; empty when there is no such entry.
QString GetTapeText(int n);
void ReleaseTape();
bool IsFileExist(const QString &path);
// Speech synthesis was found usable at start-up.
bool SpeechOk();

}  // namespace mdlM_Tape
