// Until a speech engine is wired in, speech counts as unavailable: the panel shows
// "音合使用不可" and the announcement buttons stay disabled, as on a machine
// without speech synthesis.
#include "sound/tape.h"

namespace mdlM_Tape {

namespace {
bool g_speechOk = false;
}

bool InitTape() {
    g_speechOk = false;
    return g_speechOk;
}

void LoadTape(const QString &, const QString &) {}
void TapeNext() {}
void TapeBack() {}
void StopTape() {}
void ShowTapeSetDlg() {}
int GetTapePos() { return 0; }
int GetTapeStepFlag(int) { return 0; }
int GetTapeCount() { return 0; }
void ReleaseTape() {}
bool SpeechOk() { return g_speechOk; }

}  // namespace mdlM_Tape
