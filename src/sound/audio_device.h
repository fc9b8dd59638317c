#pragma once
// The audio output the sound channels and the speech play through: one slot per
// mixer channel, each holding at most one decoded sound. The program uses the SDL
// mixer; a test can put in a device of its own.
#include <QString>

class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Opens the output on first use. False means there is no usable device: every
    // play is silent then, and the device is not asked again.
    virtual bool ready() = 0;
    // Decodes `path` into `slot`, replacing what was there. False when the file
    // cannot be decoded; the slot is empty then. `lengthMs` gets the sound's length.
    virtual bool load(int slot, const QString &path, int *lengthMs) = 0;
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
