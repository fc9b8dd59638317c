#pragma once
// mdlM_Tape: spoken stop announcements, walked through like a tape.
#include <QString>

namespace mdlM_Tape {

// Decides at start-up whether speech can be used; the panel shows the answer.
bool InitTape();
// Loads the announcement list of a route (folder + route + "tp.csv").
void LoadTape(const QString &folder, const QString &route);
void TapeNext();
void TapeBack();
void StopTape();
void ShowTapeSetDlg();
int GetTapePos();
int GetTapeStepFlag(int n);
int GetTapeCount();
void ReleaseTape();
// Speech synthesis was found usable at start-up.
bool SpeechOk();

}  // namespace mdlM_Tape
