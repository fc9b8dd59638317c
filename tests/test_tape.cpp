// The announcement list file and the announcement module, with a speech engine that
// records what it is asked to do.
#include "core/cp932.h"
#include "media/module_audio_device.h"
#include "media/sound_channels.h"
#include "media/speech_engine.h"
#include "media/speech_settings.h"
#include "media/announcer.h"
#include "sound_support.h"
#include "bounded_call.h"
#include "file_bytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class RecordingEngine : public SpeechEngine {
public:
    explicit RecordingEngine(QStringList &log) : log_(log) {}
    void speak(const QString &text) override { log_ << QStringLiteral("speak:") + text; speaking_ = !text.isEmpty(); }
    void stop() override { log_ << QStringLiteral("stop"); speaking_ = false; }
    bool idle() const override { return !speaking_; }
    void setSettings(const SpeechSettings &) override {}

private:
    QStringList &log_;
    bool speaking_ = false;
};

class FakePanel : public TapeHost {
public:
    QString caption;
    bool frameEnabled = false, buttonsEnabled = false;
    TapeSounds sounds;
    void showSpeechAvailable(bool available) override {
        caption = available ? QStringLiteral("音合使用可") : QStringLiteral("音合使用不可");
        frameEnabled = available;
    }
    void setTapeFrameEnabled(bool enabled) override { frameEnabled = enabled; }
    void enableTapeButtons() override { frameEnabled = buttonsEnabled = true; }
    TapeSounds tapeSounds() const override { return sounds; }
    QWidget *tapeDialogParent() override { return nullptr; }
};

QStringList soundsPlayed(qsizetype from) {
    QStringList out;
    for (const QJsonValue &e : eventsSince(from, QStringLiteral("sound"))) {
        const QJsonObject o = e.toObject();
        out << o.value(QStringLiteral("channel")).toString() + QLatin1Char(':') +
                   QFileInfo(o.value(QStringLiteral("file")).toString()).fileName();
    }
    return out;
}

}  // namespace

TEST(TapeList, ParsingCases) {
    const struct {
        const char *bytes;
        int count;  // -1: the list cannot be used
        const char *text;
        int step, sound;
    } cases[] = {
        {"a,1,2\r\nb,0,3\r\n", 2, "a", 1, 2},
        {"\"x, y\",1,2\r\n", 1, "x, y", 1, 2},          // quoted text keeps its commas
        {"   t ,  1 ,2", 1, "t", 1, 2},                   // leading spaces, no line end
        {"t,,\r\n", 1, "t", 0, 0},                         // empty flags
        {"t\r\n", 1, "t", 0, 0},                           // missing flags
        {"t,-1,32767\n", 1, "t", -1, 32767},
        {"\r\n", 1, "", 0, 0},
        {"t,a,1\r\n", -1, "", 0, 0},                        // not a number
        {"t,1,40000\r\n", -1, "", 0, 0},                    // not 16-bit
        {"ok,1,1\r\nt,1.5,1\r\n", -1, "", 0, 0},
        {"", -1, "", 0, 0},                                 // no lines
    };
    for (const auto &c : cases) {
        const auto list = tape_list::parse(QByteArray(c.bytes));
        ASSERT_EQ(list ? static_cast<int>(list->size()) : -1, c.count) << c.bytes;
        if (list) {
            EXPECT_EQ(std::tuple(list->front().Text, list->front().StepFlag, list->front().SoundFlag),
                      std::tuple(QString::fromUtf8(c.text), c.step, c.sound)) << c.bytes;
        }
    }
}

TEST(TapeList, EncodingsSizesAndTheFileName) {
    const QString text = QStringLiteral("次は、市役所前です。");
    EXPECT_EQ(tape_list::parse(cp932::encode(text) + ",1,2\r\n")->front().Text, text);
    EXPECT_EQ(tape_list::parse(text.toUtf8() + ",1,2\r\n")->front().Text, text);  // UTF-8 by mistake

    EXPECT_EQ(tape_list::parse(QByteArray(4000, 'y') + ",0,1")->front().Text.size(), 4000);

    QTemporaryDir dir;
    const QString prefix = dir.path() + QLatin1Char('/');
    writeBytes(prefix + QStringLiteral("12Tp.CSV"), "a,0,0\r\n");
    EXPECT_EQ(tape_list::findFile(prefix, QStringLiteral("12")), prefix + QStringLiteral("12Tp.CSV"));
    EXPECT_EQ(tape_list::findFile(prefix, QStringLiteral("3")), prefix + QStringLiteral("3tp.csv"));
}

// Each limit refuses one past itself and takes itself exactly, lowered so the lists stay small.
TEST(TapeList, LimitsRefuseLargerLists) {
    const tape_list::Limits limits{60, 3, 10};
    EXPECT_EQ(tape_list::parse("a,0,0\nb,0,0\nc,0,0\n", limits)->size(), 3u);
    EXPECT_FALSE(tape_list::parse("a,0,0\nb,0,0\nc,0,0\nd,0,0", limits));
    EXPECT_EQ(tape_list::parse("abcdef,1,1\r\n", limits)->front().Text, QStringLiteral("abcdef"));
    EXPECT_FALSE(tape_list::parse("abcdefg,1,1\n", limits));
    EXPECT_FALSE(tape_list::parse(QByteArray(61, '\n'), tape_list::Limits{60, 100, 10}));

    // The built-in limits: as many lines as allowed, then one more.
    const tape_list::Limits builtIn;
    QByteArray full;
    for (qsizetype i = 0; i < builtIn.maxEntries; ++i) full += "x,1,1\r\n";
    EXPECT_EQ(tape_list::parse(full)->size(), std::size_t(builtIn.maxEntries));
    EXPECT_FALSE(tape_list::parse(full + "x,1,1"));
    EXPECT_FALSE(tape_list::parse(QByteArray(builtIn.maxLineBytes + 1, 'y') + ",0,1"));
}

// Only a regular file within the limits is read: a FIFO, a device and a huge sparse
// file are refused at once, as a list that cannot be read is.
TEST(TapeList, FileKindsThatAreNoList) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("1tp.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.filePath(QStringLiteral("2tp.csv"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString sparse = dir.filePath(QStringLiteral("3tp.csv"));
    {
        QFile f(sparse);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(300LL << 20));
    }
    const QString fine = dir.filePath(QStringLiteral("4tp.csv"));
    writeBytes(fine, "a,0,0\r\n");
    for (const QString &path : {fifo, zero, sparse})
        EXPECT_FALSE(finishesWithin(5000, fifo, [&] { return tape_list::readFile(path).has_value(); }).value_or(true))
            << qPrintable(path);
    EXPECT_EQ(tape_list::readFile(fine)->size(), 1u);
}

TEST(Tape, WalkingTheListWithSoundsAndSpeech) {
    QTemporaryDir dir;
    const QString prefix = dir.path() + QLatin1Char('/');
    for (const char *name : {"always.wav", "one.wav", "two.wav", "three.wav"}) writeWav(prefix + QLatin1String(name), 30);
    writeBytes(prefix + "5tp.csv", cp932::encode("一,1,1\r\n二,0,0\r\n三,1,4\r\n"));
    writeBytes(prefix + "6tp.csv", "bad,x,1\r\n");
    writeBytes(prefix + "8tp.csv", ",0,0\r\n");

    FakePanel panel;
    panel.sounds = TapeSounds{true, false, prefix + "always.wav", {prefix + "one.wav", prefix + "two.wav", prefix + "three.wav"}};
    QStringList speech;
    SoundChannels sound(std::make_unique<ModuleAudioDevice>());
    Announcer tape(sound, [] { return std::unique_ptr<SpeechEngine>(); });
    tape.setHost(&panel);
    tape.init();
    EXPECT_EQ(panel.caption, "音合使用不可");
    tape.load(prefix, "5");
    EXPECT_FALSE(panel.buttonsEnabled);  // the list loads, but without speech the buttons stay off
    EXPECT_EQ(tape.count(), 3);

    tape.setEngineFactory([&speech] { return std::make_unique<RecordingEngine>(speech); });
    tape.init();
    EXPECT_EQ(panel.caption, "音合使用可");
    tape.load(prefix, "5");
    tape.load(prefix, "5");  // twice is the same as once
    EXPECT_TRUE(panel.buttonsEnabled);
    EXPECT_EQ(tape.count(), 3);

    // Back right after loading: position 1, nothing said; the next "送り" says entry 2.
    qsizetype from = events::all().size();
    tape.back();
    EXPECT_EQ(tape.position(), 1);
    EXPECT_TRUE(speech.isEmpty());
    tape.next();
    EXPECT_EQ(speech, QStringList({"stop", "speak:二"}));
    // Past the end: nothing, and the position stays on the last entry with its step mark.
    tape.next();
    tape.next();
    EXPECT_EQ(std::tuple(tape.position(), speech.size(), tape.stepFlag(tape.position())), std::tuple(3, 4, 1));
    // Always the same sound going forward; going back the entry's mark (4: none).
    tape.back();
    tape.back();
    EXPECT_EQ(soundsPlayed(from), QStringList({"S3:always.wav", "S3:always.wav", "S2:one.wav"}));
    EXPECT_EQ(tape.stepFlag(0) + tape.stepFlag(4) + tape.soundFlag(4), 0);

    // By the marks: forward from entry 1 to 2 (mark 0) and 3 (mark 4) plays nothing.
    panel.sounds.always = false;
    from = events::all().size();
    tape.next();
    tape.next();
    EXPECT_TRUE(soundsPlayed(from).isEmpty());

    // An empty text: the state query answers idle, so the engine is stopped again.
    tape.load(prefix, "8");
    speech.clear();
    tape.next();
    tape.stop();
    EXPECT_EQ(speech, QStringList({"stop", "speak:", "stop", "stop"}));

    // A broken list disables the frame and is not used; so is a missing one.
    tape.load(prefix, "6");
    EXPECT_FALSE(panel.frameEnabled);
    EXPECT_EQ(tape.count(), 0);
    tape.load(prefix, "7");
    EXPECT_EQ(tape.count(), 0);
    tape.release();
    sound.closeAll();
}

TEST(SpeechSettings, FileRoundTripAndDamagedValues) {
    QTemporaryDir dir;
    const QString path = speechSettingsPath(dir.filePath(QStringLiteral("207_000.in4")));
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("207_000.voice"));
    const SpeechSettings s{150, -3, 80, QStringLiteral("/v/男性 声.htsvoice")};
    ASSERT_TRUE(s.save(path));
    EXPECT_EQ(SpeechSettings::load(path), s);
    const SpeechSettings damaged = SpeechSettings::fromText(QStringLiteral("speed=999\npitch=abc\nvolume=-5\njunk"));
    EXPECT_EQ(damaged, (SpeechSettings{200, 0, 0, QString()}));
    EXPECT_EQ(SpeechSettings::load(dir.filePath(QStringLiteral("none"))), SpeechSettings{});
}
