#include "media/sdl_audio_device.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace {

bool validSlot(int slot) { return slot >= 0 && slot < kAllSlots; }

// Cuts the chunk's end where its last sample above a faint level lies (16-bit output).
void trimTail(Mix_Chunk *chunk) {
    constexpr int kFaint = 64;
    const auto *samples = reinterpret_cast<const Sint16 *>(chunk->abuf);
    Uint32 n = chunk->alen / 4 * 2;  // whole stereo frames
    while (n > 0 && std::abs(samples[n - 1]) <= kFaint) --n;
    chunk->alen = (n + 1) / 2 * 4;
}

}  // namespace

QString midiSoundFont() {
    const QByteArray env = qgetenv("SDL_SOUNDFONTS");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    for (const char *path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2"})
        if (QFileInfo(QString::fromLatin1(path)).isFile()) return QString::fromLatin1(path);
    return QString();
}

SdlAudioDevice::~SdlAudioDevice() {
    if (state_ != State::Open) return;
    for (int i = 0; i < kAllSlots; ++i) close(i);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioDevice::ready() {
    // Opened once, on whichever thread asks first; a second asker waits for the answer.
    std::call_once(opening_, [this] { state_ = open() ? State::Open : State::Failed; });
    return state_ == State::Open;
}

bool SdlAudioDevice::open() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    const QString font = midiSoundFont();
    if (!font.isEmpty()) Mix_SetSoundFonts(QFile::encodeName(font).constData());
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_MID);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int freq = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&freq, &format, &channels);
    bytesPerMs_ = qMax(1, freq * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) / 1000);
    floatMix_ = SDL_AUDIO_ISFLOAT(format);
    mixFormat_ = MixFormat{freq, channels};
    Mix_AllocateChannels(kAllSlots);
    return true;
}

// Without a device the channels stay silent and report nothing playing; a recording
// needs the mix all the same, so it runs on SDL's dummy output (in real time, heard
// by no one). Only then: a program that records nothing keeps its silent channels.
bool SdlAudioDevice::openSilentStandIn() {
    std::lock_guard lock(standIn_);
    if (state_ == State::Open) return true;
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool opened = open();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (opened) state_ = State::Open;
    return opened;
}

void SdlAudioDevice::postMix(void *self, Uint8 *stream, int len) {
    auto *d = static_cast<SdlAudioDevice *>(self);
    MixListener *listener = d->listener_;
    if (!listener || d->mixFormat_.channels <= 0) return;
    if (!d->floatMix_) {
        listener->mixed(reinterpret_cast<const int16_t *>(stream), len / 2 / d->mixFormat_.channels);
        return;
    }
    // A float mix is handed on as 16-bit, in steps of a small buffer.
    const auto *in = reinterpret_cast<const float *>(stream);
    const int samples = len / 4;
    int16_t buf[1024];
    const int step = 1024 / d->mixFormat_.channels * d->mixFormat_.channels;
    for (int at = 0; at < samples; at += step) {
        const int n = qMin(step, samples - at);
        for (int i = 0; i < n; ++i) buf[i] = static_cast<int16_t>(qBound(-32768.0f, in[at + i] * 32767.0f, 32767.0f));
        listener->mixed(buf, n / d->mixFormat_.channels);
    }
}

std::optional<MixFormat> SdlAudioDevice::listenToMix(MixListener *listener) {
    if (!ready() && !(listener && openSilentStandIn())) return std::nullopt;
    // Mix_SetPostMix holds the audio lock while it changes the callback: once it has
    // returned, no block is on its way to the old listener.
    Mix_SetPostMix(nullptr, nullptr);
    listener_ = listener;
    if (listener) Mix_SetPostMix(&SdlAudioDevice::postMix, this);
    return mixFormat_;
}

DecodedSound SdlAudioDevice::decode(const QString &path, int *lengthMs) {
    if (state_ != State::Open) return nullptr;
    Mix_Chunk *chunk = Mix_LoadWAV(QFile::encodeName(path).constData());
    if (!chunk) return nullptr;
    // A synthesiser lets its reverb ring out far past the last note; the sound ends
    // where it stops being heard, as a MIDI file ends with its last event.
    if (path.endsWith(QLatin1String("mid"), Qt::CaseInsensitive)) trimTail(chunk);
    if (chunk->alen == 0) {
        Mix_FreeChunk(chunk);
        return nullptr;
    }
    if (lengthMs) *lengthMs = static_cast<int>(chunk->alen / static_cast<Uint32>(bytesPerMs_));
    return DecodedSound(chunk, [](void *c) { Mix_FreeChunk(static_cast<Mix_Chunk *>(c)); });
}

void SdlAudioDevice::install(int slot, DecodedSound sound) {
    if (!validSlot(slot) || state_ != State::Open) return;
    close(slot);
    chunks_[slot] = std::move(sound);
}

void SdlAudioDevice::play(int slot) {
    if (!validSlot(slot) || !chunks_[slot]) return;
    Mix_Volume(slot, volumes_[slot]);
    Mix_PlayChannel(slot, static_cast<Mix_Chunk *>(chunks_[slot].get()), 0);
}

void SdlAudioDevice::close(int slot) {
    if (!validSlot(slot) || state_ != State::Open) return;
    Mix_HaltChannel(slot);  // before the chunk is freed
    chunks_[slot].reset();
}

bool SdlAudioDevice::playing(int slot) const {
    return validSlot(slot) && state_ == State::Open && chunks_[slot] && Mix_Playing(slot) != 0;
}

bool SdlAudioDevice::loaded(int slot) const { return validSlot(slot) && chunks_[slot] != nullptr; }

void SdlAudioDevice::setVolume(int slot, double volume) {
    if (!validSlot(slot)) return;
    volumes_[slot] = qBound(0, qRound(volume * MIX_MAX_VOLUME), MIX_MAX_VOLUME);
    if (state_ == State::Open) Mix_Volume(slot, volumes_[slot]);
}

// What the module mitra_sound gives the program (module_audio_device.h).
extern "C" Q_DECL_EXPORT AudioDevice *mitra_new_audio_device() { return new SdlAudioDevice; }
