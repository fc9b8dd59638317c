#pragma once
// mdlSndAPI: plays the user's sound files on the named channels "S1".."S4". Each
// channel is one player: a new play closes what the channel held first, so only that
// channel's sound is cut off; the channels sound independently and may overlap.
#include <QJsonObject>
#include <QString>

#include <memory>

class AudioDevice;

enum class SndOutcome { Played, Missing, Unsupported, OpenFailed, NoDevice, NoChannel };

QString sndOutcomeName(SndOutcome outcome);

// Plays `file` on `channel`. `sync` non-zero waits until the sound ends (the windows
// keep painting, the operator's input is held back), then pauses `pauseMs`. Failures
// are silent; the outcome is recorded as a "sound" event and returned for tests.
SndOutcome PlaySnd(const QString &file, const QString &channel, int sync, int pauseMs);

// Closes every channel, S1 to S4 (at exit).
void CloseAllSnd();

namespace snd {

// The output every channel and the speech play through (by default the SDL mixer,
// loaded as a module: module_audio_device.h).
AudioDevice &device();
// Opens the output on a thread of its own from the event loop's first turn, so that
// neither start-up nor the first sound waits for the audio system (the program calls
// this once at start-up).
void openDeviceInBackground();
// Puts in another output (tests). The old one is released.
void setDevice(std::unique_ptr<AudioDevice> device);

// The channel slot of "S1".."S4" (0..3), -1 for any other name.
int channelSlot(const QString &channel);

// The device type of a file by the last three characters of its name, upper-cased
// and trimmed: "WAV", "MP3" or "MID"; empty when none matches.
QString fileType(const QString &file);

// True when a directory look-up finds `path` as a normal, visible file.
bool isPlainFile(const QString &path);

// Per channel: open, playing, file (for the scripted operation's dump).
QJsonObject channelsJson();

}  // namespace snd
