#include "media/sound_channels.h"

#include "base/event_log.h"
#include "media/audio_device.h"
#include "media/background_decode.h"
#include "media/sound_wait.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include <array>

namespace {

const char *const kChannelNames[kSoundSlots] = {"S1", "S2", "S3", "S4"};

SndOutcome finish(SndOutcome outcome, const QString &file, const QString &channel, int sync, int pauseMs,
                  int lengthMs = -1) {
    QJsonObject fields{{"channel", channel}, {"file", file}, {"sync", sync != 0}, {"pause", pauseMs},
                       {"outcome", sndOutcomeName(outcome)}};
    if (lengthMs >= 0) fields.insert(QStringLiteral("lengthMs"), lengthMs);
    events::record(QStringLiteral("sound"), fields);
    return outcome;
}

}  // namespace

QString sndOutcomeName(SndOutcome outcome) {
    switch (outcome) {
    case SndOutcome::Played: return QStringLiteral("played");
    case SndOutcome::Missing: return QStringLiteral("missing");
    case SndOutcome::Unsupported: return QStringLiteral("unsupported");
    case SndOutcome::OpenFailed: return QStringLiteral("open-failed");
    case SndOutcome::NoDevice: return QStringLiteral("no-device");
    case SndOutcome::NoChannel: return QStringLiteral("no-channel");
    }
    return QString();
}

SoundChannels::SoundChannels(std::unique_ptr<AudioDevice> device) : device_(std::move(device)) {}

SoundChannels::~SoundChannels() = default;

SndOutcome SoundChannels::play(const QString &file, const QString &channel, int sync, int pauseMs) {
    // 1. Nothing to play: whatever sounds on the channel goes on.
    if (file.isEmpty() || !snd::isPlainFile(file)) return finish(SndOutcome::Missing, file, channel, sync, pauseMs);
    // 2. The channel's player (only the four names exist).
    const int slot = snd::channelSlot(channel);
    if (slot < 0) return finish(SndOutcome::NoChannel, file, channel, sync, pauseMs);
    AudioDevice &device = *device_;
    // 3. Close what the channel held, before the type is looked at.
    device.close(slot);
    files_[slot].clear();
    // 4. The type by the name's ending.
    if (snd::fileType(file).isEmpty()) return finish(SndOutcome::Unsupported, file, channel, sync, pauseMs);
    // 5.-6. Open; a failure leaves the channel closed.
    if (!device.ready()) return finish(SndOutcome::NoDevice, file, channel, sync, pauseMs);
    int lengthMs = 0;
    DecodedSound sound = decodeKeepingWindowsLive(device, file, &lengthMs);
    if (!sound) return finish(SndOutcome::OpenFailed, file, channel, sync, pauseMs);
    device.install(slot, std::move(sound));
    files_[slot] = file;
    // 7. Play; a synchronous play returns when the sound has ended, then pauses.
    device.play(slot);
    finish(SndOutcome::Played, file, channel, sync, pauseMs, lengthMs);
    if (sync != 0) {
        // Bounded by the sound's own length, in case the device stops reporting.
        waitHoldingInputWhile([&device, slot] { return device.playing(slot); }, lengthMs + 2000);
        waitHoldingInputWhile([] { return true; }, pauseMs);
    }
    return SndOutcome::Played;
}

void SoundChannels::closeAll() {
    for (int slot = 0; slot < kSoundSlots; ++slot) {
        device_->close(slot);
        files_[slot].clear();
    }
}

void SoundChannels::openDeviceInBackground() {
    // At the event loop's first turn, once the windows are shown: loading the mixer's
    // libraries then takes no processor from making the windows.
    QTimer::singleShot(0, QCoreApplication::instance(), [this] {
        AudioDevice *output = device_.get();
        QThread *opener = QThread::create([output] { output->ready(); });
        QObject::connect(opener, &QThread::finished, opener, &QObject::deleteLater);
        opener->start();
    });
}

void SoundChannels::setDevice(std::unique_ptr<AudioDevice> device) {
    device_ = std::move(device);
    for (QString &f : files_) f.clear();
}

QJsonObject SoundChannels::toJson() const {
    QJsonObject out;
    for (int i = 0; i < kSoundSlots; ++i) {
        const bool open = device_->loaded(i);
        out.insert(QLatin1String(kChannelNames[i]),
                   QJsonObject{{"open", open}, {"playing", device_->playing(i)}, {"file", open ? files_[i] : QString()}});
    }
    return out;
}

namespace snd {

int channelSlot(const QString &channel) {
    for (int i = 0; i < kSoundSlots; ++i)
        if (channel == QLatin1String(kChannelNames[i])) return i;
    return -1;
}

QString fileType(const QString &file) {
    if (file.size() < 3) return QString();
    const QString ending = file.right(3).toUpper().trimmed();
    for (const char *type : {"WAV", "MP3", "MID"})
        if (ending == QLatin1String(type)) return ending;
    return QString();
}

bool isPlainFile(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

}  // namespace snd
