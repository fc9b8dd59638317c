#pragma once
// mdlSndAPI: plays the user's sound files on named channels "S1".."S4".
#include <QString>

// Plays `file` on `channel`. `sync` non-zero waits until the sound ends, then pauses
// `pauseMs`. Failures are silent. Every request is recorded in the event log.
void PlaySnd(const QString &file, const QString &channel, int sync, int pauseMs);

// Closes every channel (at exit).
void CloseAllSnd();
