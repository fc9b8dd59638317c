#pragma once
// The audio output the sound channels and the speech play through: one slot per
// mixer channel, each holding at most one decoded sound. The program uses the SDL
// mixer; a test can put in a device of its own.
#include <QString>

#include <memory>

// A decoded sound, ready to be put into a slot.
using DecodedSound = std::shared_ptr<void>;

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
};

// Slots: the four channels "S1".."S4" are 0..3, the speech has its own.
inline constexpr int kSoundSlots = 4;
inline constexpr int kSpeechSlot = 4;
inline constexpr int kAllSlots = 5;
