#pragma once
// The audio output the sound channels and the speech play through: one slot per
// mixer channel, each holding at most one decoded sound. The program uses the SDL
// mixer; a test can put in a device of its own.
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// A decoded sound, ready to be put into a slot.
using DecodedSound = std::shared_ptr<void>;

// Hears the mixed output, every channel and the speech together, as it is produced
// (a recording). Called on the audio thread: it must return quickly.
class MixListener {
public:
    virtual ~MixListener() = default;
    // Interleaved signed 16-bit samples, `frames` frames of `channels` each.
    virtual void mixed(const int16_t *samples, int frames) = 0;
};

struct MixFormat {
    int sampleRate = 0;
    int channels = 0;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Opens the output on first use. False means there is no usable device: every
    // play is silent then, and the device is not asked again.
    virtual bool ready() = 0;
    // Decodes `path`; nothing when it cannot be decoded. `lengthMs` gets the sound's
    // length. Safe on any thread once ready() has answered true.
    virtual DecodedSound decode(const QString &path, int *lengthMs) = 0;
    // Puts a decoded sound into `slot`, replacing what was there.
    virtual void install(int slot, DecodedSound sound) = 0;
    // Decodes `path` into `slot`. False when it cannot be decoded; the slot is empty then.
    bool load(int slot, const QString &path, int *lengthMs) {
        close(slot);
        DecodedSound sound = ready() ? decode(path, lengthMs) : nullptr;
        if (sound) install(slot, std::move(sound));
        return loaded(slot);
    }
    virtual void play(int slot) = 0;
    // Stops the slot's sound at once and frees it. Harmless on an empty slot.
    virtual void close(int slot) = 0;
    virtual bool playing(int slot) const = 0;
    virtual bool loaded(int slot) const = 0;
    // 0.0 .. 1.0, kept for the slot's later plays.
    virtual void setVolume(int slot, double volume) = 0;
    // Hands the mix to `listener` from now on (nullptr: to nobody; after that call no
    // block reaches the old listener). Where no device can be opened the mix still runs,
    // on a silent stand-in, while someone listens. Nothing when no mix can be had.
    virtual std::optional<MixFormat> listenToMix(MixListener *listener) {
        (void)listener;
        return std::nullopt;
    }
};

// Slots: the four channels "S1".."S4" are 0..3, the speech has its own.
inline constexpr int kSoundSlots = 4;
inline constexpr int kSpeechSlot = 4;
inline constexpr int kAllSlots = 5;
