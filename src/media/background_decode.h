#pragma once
// Decoding a sound file on a worker thread. A short chime decodes in a few
// milliseconds and returns before the window thread would notice; a long MP3 or MIDI
// file takes seconds, and meanwhile the windows keep painting and the clocks keep
// ticking while the operator's input is held back, as during a synchronous sound.
#include "media/audio_device.h"

// Decodes `path` on `device` (which must be ready) and returns the sound, or nothing
// when it cannot be decoded; `lengthMs` gets its length.
DecodedSound decodeKeepingWindowsLive(AudioDevice &device, const QString &path, int *lengthMs);
