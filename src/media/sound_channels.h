#pragma once
// The sound channels: the user's sound files on the named channels "S1".."S4". Each
// channel is one player: a new play closes what the channel held first, so only that
// channel's sound is cut off; the channels sound independently and may overlap.
#include "media/audio_device.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <memory>

enum class SndOutcome { Played, Missing, Unsupported, OpenFailed, NoDevice, NoChannel };

QString sndOutcomeName(SndOutcome outcome);

class SoundChannels {
public:
    // Every channel and the speech play through `device` (the program's: the SDL
    // mixer, loaded as a module: module_audio_device.h).
    explicit SoundChannels(std::unique_ptr<AudioDevice> device);
    ~SoundChannels();
    SoundChannels(const SoundChannels &) = delete;
    SoundChannels &operator=(const SoundChannels &) = delete;

    // Plays `file` on `channel`. `sync` non-zero waits until the sound ends (the
    // windows keep painting, the operator's input is held back), then pauses
    // `pauseMs`. Failures are silent; the outcome is recorded as a "sound" event and
    // returned for tests.
    SndOutcome play(const QString &file, const QString &channel, int sync, int pauseMs);
    // Closes every channel, S1 to S4 (at exit).
    void closeAll();

    AudioDevice &device() const { return *device_; }
    // Opens the output on a thread of its own from the event loop's first turn, so
    // that neither start-up nor the first sound waits for the audio system.
    void openDeviceInBackground();
    // Puts in another output (tests). The old one is released.
    void setDevice(std::unique_ptr<AudioDevice> device);

    // Per channel: open, playing, file (for the scripted operation's dump).
    QJsonObject toJson() const;

private:
    std::unique_ptr<AudioDevice> device_;
    std::array<QString, kSoundSlots> files_;  // what each open channel holds
};

namespace snd {


// The channel slot of "S1".."S4" (0..3), -1 for any other name.
int channelSlot(const QString &channel);

// The device type of a file by the last three characters of its name, upper-cased
// and trimmed: "WAV", "MP3" or "MID"; empty when none matches.
QString fileType(const QString &file);

// True when a directory look-up finds `path` as a normal, visible file.
bool isPlainFile(const QString &path);

}  // namespace snd
