// The four sound channels through the SDL mixer (dummy audio driver).
#include "base/input_gate.h"
#include "media/audio_device.h"
#include "media/sdl_audio_device.h"
#include "media/snd_api.h"
#include "sound_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

bool playing(const char *channel) {
    return snd::channelsJson().value(QLatin1String(channel)).toObject().value(QStringLiteral("playing")).toBool();
}
QString fileOn(const char *channel) {
    return snd::channelsJson().value(QLatin1String(channel)).toObject().value(QStringLiteral("file")).toString();
}

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
    QFile bad(dir.filePath(QStringLiteral("corrupt.wav")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24));
    bad.close();
    QFile::copy(longWav, dir.filePath(QStringLiteral("sound.txt")));

    const qsizetype from = events::all().size();
    ASSERT_EQ(PlaySnd(longWav, QStringLiteral("S1"), 0, 0), SndOutcome::Played);
    EXPECT_TRUE(playing("S1"));
    // Nothing to play: the channel's sound goes on.
    for (const QString &none : {QString(), dir.filePath(QStringLiteral("gone.wav")), dir.filePath(QStringLiteral(".hidden.wav")),
                                dir.filePath(QStringLiteral("folder.wav"))})
        EXPECT_EQ(PlaySnd(none, QStringLiteral("S1"), 0, 0), SndOutcome::Missing) << qPrintable(none);
    EXPECT_TRUE(playing("S1"));
    // Another channel sounds together with it; a new play on S1 replaces S1's sound only.
    EXPECT_EQ(PlaySnd(other, QStringLiteral("S2"), 0, 0), SndOutcome::Played);
    EXPECT_EQ(PlaySnd(other, QStringLiteral("S1"), 0, 0), SndOutcome::Played);
    EXPECT_TRUE(playing("S1") && playing("S2"));
    EXPECT_EQ(fileOn("S1"), other);
    // An unknown ending closes the channel first, so its sound stops.
    EXPECT_EQ(PlaySnd(dir.filePath(QStringLiteral("sound.txt")), QStringLiteral("S1"), 0, 0), SndOutcome::Unsupported);
    EXPECT_FALSE(playing("S1"));
    EXPECT_TRUE(playing("S2"));
    // A corrupt file leaves the channel closed; the next play on it works.
    EXPECT_EQ(PlaySnd(bad.fileName(), QStringLiteral("S3"), 0, 0), SndOutcome::OpenFailed);
    EXPECT_FALSE(snd::channelsJson().value(QStringLiteral("S3")).toObject().value(QStringLiteral("open")).toBool());
    EXPECT_EQ(PlaySnd(longWav, QStringLiteral("S3"), 0, 0), SndOutcome::Played);
    EXPECT_TRUE(playing("S3"));

    const QJsonArray sounds = eventsSince(from, QStringLiteral("sound"));
    ASSERT_EQ(sounds.size(), 10);
    EXPECT_NEAR(sounds.at(0).toObject().value(QStringLiteral("lengthMs")).toInt(), 1500, 20);
    EXPECT_EQ(sounds.at(8).toObject().value(QStringLiteral("outcome")).toString(), QStringLiteral("open-failed"));
    CloseAllSnd();
    for (const char *ch : {"S1", "S2", "S3", "S4"}) EXPECT_FALSE(playing(ch)) << ch;
}

TEST(SoundChannels, Mp3AndMidiDecode) {
    const QString demo = QStringLiteral(MITRA_BINARY_DIR "/demo/");
    const qsizetype from = events::all().size();
    EXPECT_EQ(PlaySnd(demo + QStringLiteral("chime.mp3"), QStringLiteral("S4"), 0, 0), SndOutcome::Played);
    EXPECT_EQ(PlaySnd(demo + QStringLiteral("step.mid"), QStringLiteral("S4"), 0, 0), SndOutcome::Played);
    const QJsonArray sounds = eventsSince(from, QStringLiteral("sound"));
    ASSERT_EQ(sounds.size(), 2);
    EXPECT_GT(sounds.at(0).toObject().value(QStringLiteral("lengthMs")).toInt(), 1000);  // the two-tone chime
    EXPECT_GT(sounds.at(1).toObject().value(QStringLiteral("lengthMs")).toInt(), 300);   // two notes
    CloseAllSnd();
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
    EXPECT_EQ(PlaySnd(wav, QStringLiteral("S2"), 1, 100), SndOutcome::Played);
    const qint64 took = clock.elapsed();
    EXPECT_GE(took, 480);  // the sound, then the pause
    EXPECT_LT(took, 2500);
    EXPECT_GE(heldTicks, 20);
    EXPECT_EQ(ticks, heldTicks);
    EXPECT_FALSE(inputHeld());
    EXPECT_FALSE(playing("S2"));
}

TEST(SoundChannels, NoDeviceIsSilent) {
    struct NoDevice : AudioDevice {
        bool ready() override { return false; }
        DecodedSound decode(const QString &, int *) override { return nullptr; }
        void install(int, DecodedSound) override {}
        void play(int) override {}
        void close(int) override {}
        bool playing(int) const override { return false; }
        bool loaded(int) const override { return false; }
        void setVolume(int, double) override {}
    };
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("s.wav"));
    writeWav(wav, 300);
    snd::setDevice(std::make_unique<NoDevice>());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(PlaySnd(wav, QStringLiteral("S1"), 1, 0), SndOutcome::NoDevice);
    EXPECT_LT(clock.elapsed(), 100);
    snd::setDevice(std::make_unique<SdlAudioDevice>());
}
