// The four sound channels through the SDL mixer (dummy audio driver).
#include "base/input_gate.h"
#include "media/audio_device.h"
#include "media/module_audio_device.h"
#include "media/sdl_audio_device.h"
#include "media/sound_channels.h"
#include "file_bytes.h"
#include "sound_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cmath>

namespace {

// The channels under test, on the program's own output until a test puts in another.
SoundChannels &channels() {
    static SoundChannels c(std::make_unique<ModuleAudioDevice>());
    return c;
}

bool playing(const char *channel) {
    return channels().toJson().value(QLatin1String(channel)).toObject().value(QStringLiteral("playing")).toBool();
}
QString fileOn(const char *channel) {
    return channels().toJson().value(QLatin1String(channel)).toObject().value(QStringLiteral("file")).toString();
}

// No device at all, or one whose decoding stands for a ten-minute MP3: 400 ms, then a
// sound or nothing.
struct FakeDevice : AudioDevice {
    bool isReady = true, decodes = true, installed = false;
    bool ready() override { return isReady; }
    DecodedSound decode(const QString &, int *lengthMs) override {
        QThread::msleep(400);
        *lengthMs = 600000;
        return decodes ? std::make_shared<int>(1) : nullptr;
    }
    void install(int, DecodedSound sound) override { installed = sound != nullptr; }
    void play(int) override {}
    void close(int) override { installed = false; }
    bool playing(int) const override { return false; }
    bool loaded(int) const override { return installed; }
    void setVolume(int, double) override {}
};

}  // namespace

TEST(SoundChannels, TypeByTheLastThreeCharacters) {
    const struct { const char *name; const char *type; } cases[] = {
        {"chime.wav", "WAV"}, {"C:/x/CHIME.Mp3", "MP3"}, {"a.mid", "MID"}, {"chime.wave", ""},
        {"av", ""}, {"x.wav ", ""}, {"x. wav", "WAV"}, {"x.midi", ""}};
    for (const auto &c : cases) EXPECT_EQ(snd::fileType(QString::fromUtf8(c.name)), QLatin1String(c.type)) << c.name;
}

TEST(SoundChannels, PlayCutOffOverlapMissingAndRecovery) {
    QTemporaryDir dir;
    const QString longWav = dir.filePath(QStringLiteral("チャイム 長い.wav"));  // spaces and Japanese
    const QString other = dir.filePath(QStringLiteral("other.wav"));
    writeWav(longWav, 1500);
    writeWav(other, 1500, 440);
    QFile::copy(longWav, dir.filePath(QStringLiteral(".hidden.wav")));
    QDir(dir.path()).mkdir(QStringLiteral("folder.wav"));
    const QString bad = dir.filePath(QStringLiteral("corrupt.wav"));
    writeBytes(bad, QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24));
    QFile::copy(longWav, dir.filePath(QStringLiteral("sound.txt")));

    const qsizetype from = events::all().size();
    ASSERT_EQ(channels().play(longWav, QStringLiteral("S1"), 0, 0), SndOutcome::Played);
    EXPECT_TRUE(playing("S1"));
    // Nothing to play: the channel's sound goes on.
    for (const QString &none : {QString(), dir.filePath(QStringLiteral("gone.wav")), dir.filePath(QStringLiteral(".hidden.wav")),
                                dir.filePath(QStringLiteral("folder.wav"))})
        EXPECT_EQ(channels().play(none, QStringLiteral("S1"), 0, 0), SndOutcome::Missing) << qPrintable(none);
    EXPECT_TRUE(playing("S1"));
    // Another channel sounds together with it; a new play on S1 replaces S1's sound only.
    EXPECT_EQ(channels().play(other, QStringLiteral("S2"), 0, 0), SndOutcome::Played);
    EXPECT_EQ(channels().play(other, QStringLiteral("S1"), 0, 0), SndOutcome::Played);
    EXPECT_TRUE(playing("S1") && playing("S2"));
    EXPECT_EQ(fileOn("S1"), other);
    // An unknown ending closes the channel first, so its sound stops.
    EXPECT_EQ(channels().play(dir.filePath(QStringLiteral("sound.txt")), QStringLiteral("S1"), 0, 0), SndOutcome::Unsupported);
    EXPECT_FALSE(playing("S1"));
    EXPECT_TRUE(playing("S2"));
    // A corrupt file leaves the channel closed; the next play on it works.
    EXPECT_EQ(channels().play(bad, QStringLiteral("S3"), 0, 0), SndOutcome::OpenFailed);
    EXPECT_FALSE(channels().toJson().value(QStringLiteral("S3")).toObject().value(QStringLiteral("open")).toBool());
    EXPECT_EQ(channels().play(longWav, QStringLiteral("S3"), 0, 0), SndOutcome::Played);
    EXPECT_TRUE(playing("S3"));

    const QJsonArray sounds = eventsSince(from, QStringLiteral("sound"));
    ASSERT_EQ(sounds.size(), 10);
    EXPECT_NEAR(sounds.at(0).toObject().value(QStringLiteral("lengthMs")).toInt(), 1500, 20);
    EXPECT_EQ(sounds.at(8).toObject().value(QStringLiteral("outcome")).toString(), QStringLiteral("open-failed"));
    channels().closeAll();
    for (const char *ch : {"S1", "S2", "S3", "S4"}) EXPECT_FALSE(playing(ch)) << ch;
}

TEST(SoundChannels, Mp3AndMidiDecode) {
    const QString demo = QStringLiteral(MITRA_BINARY_DIR "/demo/");
    const qsizetype from = events::all().size();
    EXPECT_EQ(channels().play(demo + QStringLiteral("chime.mp3"), QStringLiteral("S4"), 0, 0), SndOutcome::Played);
    EXPECT_EQ(channels().play(demo + QStringLiteral("step.mid"), QStringLiteral("S4"), 0, 0), SndOutcome::Played);
    const QJsonArray sounds = eventsSince(from, QStringLiteral("sound"));
    ASSERT_EQ(sounds.size(), 2);
    EXPECT_GT(sounds.at(0).toObject().value(QStringLiteral("lengthMs")).toInt(), 1000);  // the two-tone chime
    EXPECT_GT(sounds.at(1).toObject().value(QStringLiteral("lengthMs")).toInt(), 300);   // two notes
    channels().closeAll();
}

TEST(SoundChannels, SynchronousPlayLastsTheSoundWhileTheWindowsRun) {
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("s.wav"));
    writeWav(wav, 400);
    int ticks = 0, heldTicks = 0;
    QTimer painter;  // stands for the windows' painting and the clock
    QObject::connect(&painter, &QTimer::timeout, [&] {
        ++ticks;
        if (inputHeld()) ++heldTicks;
    });
    painter.start(10);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(channels().play(wav, QStringLiteral("S2"), 1, 100), SndOutcome::Played);
    const qint64 took = clock.elapsed();
    EXPECT_GE(took, 480);  // the sound, then the pause
    EXPECT_LT(took, 2500);
    EXPECT_GE(heldTicks, 20);
    EXPECT_EQ(ticks, heldTicks);
    EXPECT_FALSE(inputHeld());
    EXPECT_FALSE(playing("S2"));
}

TEST(SoundChannels, NoDeviceIsSilent) {
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("s.wav"));
    writeWav(wav, 300);
    auto none = std::make_unique<FakeDevice>();
    none->isReady = false;
    channels().setDevice(std::move(none));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(channels().play(wav, QStringLiteral("S1"), 1, 0), SndOutcome::NoDevice);
    EXPECT_LT(clock.elapsed(), 100);
    channels().setDevice(std::make_unique<SdlAudioDevice>());
}

TEST(SoundChannels, ALongDecodeKeepsTheWindowsRunningAndTheOutcome) {
    QTemporaryDir dir;
    const QString mp3 = dir.filePath(QStringLiteral("long.mp3"));
    writeWav(mp3, 10);  // the device above never reads it
    for (const bool decodes : {true, false}) {
        auto owned = std::make_unique<FakeDevice>();
        FakeDevice *device = owned.get();
        device->decodes = decodes;
        channels().setDevice(std::move(owned));
        QElapsedTimer gap;
        qint64 worstGapMs = 0;
        int heldTicks = 0;
        QTimer clockTick;  // the board's clock and scroll
        QObject::connect(&clockTick, &QTimer::timeout, [&] {
            worstGapMs = std::max(worstGapMs, gap.restart());
            if (inputHeld()) ++heldTicks;
        });
        clockTick.start(5);
        gap.start();
        const qsizetype from = events::all().size();
        EXPECT_EQ(channels().play(mp3, QStringLiteral("S1"), 0, 0), decodes ? SndOutcome::Played : SndOutcome::OpenFailed);
        QEventLoop after;  // one more tick measures a stall that PlaySnd would have ended with
        QTimer::singleShot(30, &after, &QEventLoop::quit);
        after.exec();
        clockTick.stop();
        EXPECT_LT(worstGapMs, 150) << decodes;
        EXPECT_GE(heldTicks, 20) << decodes;  // the operator waits as during a synchronous sound
        EXPECT_FALSE(inputHeld());
        EXPECT_EQ(device->installed, decodes);
        const QJsonArray sounds = eventsSince(from, QStringLiteral("sound"));
        ASSERT_EQ(sounds.size(), 1);
        EXPECT_EQ(sounds.at(0).toObject().value(QStringLiteral("outcome")).toString(),
                  decodes ? QStringLiteral("played") : QStringLiteral("open-failed"));
        if (decodes) EXPECT_EQ(sounds.at(0).toObject().value(QStringLiteral("lengthMs")).toInt(), 600000);
    }
    channels().setDevice(std::make_unique<SdlAudioDevice>());
}

// The demo's chimes and clicks sound at one loudness: the RMS of each sound itself
// (its samples above 1 % of its peak), within 3 dB of the chime's.
TEST(SoundChannels, DemoSoundsShareOneLoudness) {
    AudioDevice &device = channels().device();
    ASSERT_TRUE(device.ready());
    auto loudnessDb = [&device](const char *name) {
        int lengthMs = 0;
        const DecodedSound sound = device.decode(QStringLiteral(MITRA_BINARY_DIR "/demo/") + QLatin1String(name), &lengthMs);
        if (!sound) return -1000.0;
        const auto *chunk = static_cast<const Mix_Chunk *>(sound.get());
        const auto *samples = reinterpret_cast<const Sint16 *>(chunk->abuf);
        const size_t n = chunk->alen / 2;
        double peak = 0, sum = 0;
        size_t counted = 0;
        for (size_t i = 0; i < n; ++i) peak = std::max(peak, std::abs(samples[i] / 32768.0));
        for (size_t i = 0; i < n; ++i)
            if (const double v = samples[i] / 32768.0; std::abs(v) > 0.01 * peak) sum += v * v, ++counted;
        return counted ? 10 * std::log10(sum / counted) : -1000.0;
    };
    const double chime = loudnessDb("chime.wav");
    for (const char *name : {"chime.mp3", "step.mid", "key.wav"}) EXPECT_NEAR(loudnessDb(name), chime, 3.0) << name;
}
