#include "media/module_audio_device.h"

#include "media/program_module.h"

#include <cstdio>

AudioDevice *ModuleAudioDevice::device() {
    std::call_once(loading_, [this] {
        QString why;
        using Factory = AudioDevice *(*)();
        const auto made = reinterpret_cast<Factory>(programModuleSymbol(QStringLiteral("mitra_sound"), "mitra_new_audio_device", &why));
        if (!made) {
            std::fprintf(stderr, "sound: %s\n", qPrintable(why));
            return;
        }
        owned_.reset(made());
        {
            std::lock_guard lock(volumes_);
            for (int slot = 0; slot < kAllSlots; ++slot)
                if (pendingVolumes_[slot]) owned_->setVolume(slot, *pendingVolumes_[slot]);
            device_ = owned_.get();
        }
        // Opened here, inside the once, so that the end of the program can wait for it.
        open_ = owned_->ready();
    });
    return device_;
}

ModuleAudioDevice::~ModuleAudioDevice() {
    // A program ending at once may find the opener thread still making or opening the
    // device: that is waited for, so the device is not destroyed under it.
    std::call_once(loading_, [] {});
}

bool ModuleAudioDevice::ready() {
    device();
    return open_;
}

DecodedSound ModuleAudioDevice::decode(const QString &path, int *lengthMs) {
    AudioDevice *d = device_;
    return d ? d->decode(path, lengthMs) : nullptr;
}

void ModuleAudioDevice::install(int slot, DecodedSound sound) {
    if (AudioDevice *d = device_) d->install(slot, std::move(sound));
}

void ModuleAudioDevice::play(int slot) {
    if (AudioDevice *d = device_) d->play(slot);
}

void ModuleAudioDevice::close(int slot) {
    if (AudioDevice *d = device_) d->close(slot);
}

bool ModuleAudioDevice::playing(int slot) const {
    const AudioDevice *d = device_;
    return d && d->playing(slot);
}

bool ModuleAudioDevice::loaded(int slot) const {
    const AudioDevice *d = device_;
    return d && d->loaded(slot);
}

void ModuleAudioDevice::setVolume(int slot, double volume) {
    std::lock_guard lock(volumes_);
    if (AudioDevice *d = device_) d->setVolume(slot, volume);
    else if (slot >= 0 && slot < kAllSlots) pendingVolumes_[slot] = volume;
}

std::optional<MixFormat> ModuleAudioDevice::listenToMix(MixListener *listener) {
    AudioDevice *d = device();
    return d ? d->listenToMix(listener) : std::nullopt;
}
