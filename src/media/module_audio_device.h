#pragma once
// The program's audio output: the SDL mixer (SdlAudioDevice) in the module mitra_sound
// (program_module.h), loaded by the first ready(), which the control panel asks on a
// thread of its own at start-up. Until then nothing is loaded or playing, and volumes
// set are kept for the device. Without the module every play is silent, as without a
// sound card.
#include "media/audio_device.h"

#include <array>
#include <atomic>
#include <mutex>
#include <optional>

class ModuleAudioDevice : public AudioDevice {
public:
    ~ModuleAudioDevice() override;
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
    AudioDevice *device();  // loads the module and opens the device once; null when it cannot be

    std::once_flag loading_;
    std::unique_ptr<AudioDevice> owned_;
    std::atomic<AudioDevice *> device_ = nullptr;  // set once, read on any thread
    std::atomic<bool> open_ = false;
    std::mutex volumes_;  // volumes set before the device came, handed over when it does
    std::array<std::optional<double>, kAllSlots> pendingVolumes_;
};
