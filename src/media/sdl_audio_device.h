#pragma once
// The SDL mixer as the audio output: WAV, MP3 and MIDI decoded into chunks (MIDI
// through FluidSynth with a General MIDI soundfont). With no audio device, or one
// that cannot be opened, it stays silent.
#include "media/audio_device.h"

#include <array>
#include <atomic>
#include <mutex>

#include <SDL2/SDL_stdinc.h>

class SdlAudioDevice : public AudioDevice {
public:
    ~SdlAudioDevice() override;
    bool ready() override;
    DecodedSound decode(const QString &path, int *lengthMs) override;
    void install(int slot, DecodedSound sound) override;
    void play(int slot) override;
    void close(int slot) override;
    bool playing(int slot) const override;
    bool loaded(int slot) const override;
    void setVolume(int slot, double volume) override;
    std::optional<MixFormat> listenToMix(MixListener *listener) override;

private:
    bool open();
    bool openSilentStandIn();
    static void postMix(void *self, Uint8 *stream, int len);

    enum class State { Untried, Open, Failed };
    std::atomic<State> state_ = State::Untried;
    std::once_flag opening_;
    int bytesPerMs_ = 0;
    std::mutex standIn_;
    std::atomic<MixListener *> listener_ = nullptr;  // read on the audio thread
    bool floatMix_ = false;
    MixFormat mixFormat_;
    std::array<DecodedSound, kAllSlots> chunks_{};  // each holds a Mix_Chunk
    std::array<int, kAllSlots> volumes_{128, 128, 128, 128, 128};  // the mixer's full volume
};

// The General MIDI soundfont used for MIDI files: SDL_SOUNDFONTS when set, else the
// first installed one of the usual Debian places (empty when none is).
QString midiSoundFont();
