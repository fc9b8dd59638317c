#pragma once
// The sound channels the sound benchmarks play on: the program's own output.
#include "media/module_audio_device.h"
#include "media/sound_channels.h"

inline SoundChannels &benchChannels() {
    static SoundChannels channels(std::make_unique<ModuleAudioDevice>());
    return channels;
}
