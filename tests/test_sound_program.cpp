// A demo trip with real sound and speech, written by SDL's disk audio driver: the
// chimes and the spoken announcements must be found in the audio at their times.
#include "dump_query.h"
#include "program_run.h"

#include <QtEndian>

#include <vector>

namespace {

constexpr int kRate = 44100, kBlockMs = 20, kFramesPerBlock = kRate * kBlockMs / 1000;

// Per 20 ms block of the stereo 16-bit output: whether it is heard.
std::vector<bool> loudBlocks(const QString &rawPath) {
    QFile f(rawPath);
    std::vector<bool> loud;
    if (!f.open(QIODevice::ReadOnly)) return loud;
    const QByteArray raw = f.readAll();
    const qsizetype frames = raw.size() / 4;
    for (qsizetype b = 0; (b + 1) * kFramesPerBlock <= frames; ++b) {
        double sum = 0;
        for (int i = 0; i < kFramesPerBlock; ++i) {
            const qint16 left = qFromLittleEndian<qint16>(raw.constData() + 4 * (b * kFramesPerBlock + i));
            sum += double(left) * left;
        }
        loud.push_back(std::sqrt(sum / kFramesPerBlock) > 150);
    }
    return loud;
}

int firstLoud(const std::vector<bool> &loud, int fromMs, int toMs) {
    for (int b = qMax(0, fromMs / kBlockMs); b < int(loud.size()) && b * kBlockMs < toMs; ++b)
        if (loud[b]) return b * kBlockMs;
    return -1;
}

int loudMs(const std::vector<bool> &loud, int fromMs, int toMs) {
    int ms = 0;
    for (int b = qMax(0, fromMs / kBlockMs); b < int(loud.size()) && b * kBlockMs < toMs; ++b) ms += loud[b] ? kBlockMs : 0;
    return ms;
}

}  // namespace

TEST(SoundProgram, DemoTripChimesAndSpeaksAtTheRightTimes) {
    const QString demo = QStringLiteral(MITRA_BINARY_DIR "/demo");
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(demo + QStringLiteral("/demo.in4"), dir.filePath(QStringLiteral("207_000.in4"))));
    const QString raw = dir.filePath(QStringLiteral("out.raw"));
    const ProgramRun run = runProgram(dir,
        QStringLiteral("dblclick frmCtl.Frame1(0)\n"  // the keypad in front of the lists
                       "click frmCtl.CommandButton1(10)\n"
                       "click frmCtl.CommandButton1(1)\n"
                       "click frmCtl.Command1(1)\n"  // route 1: the MP3 chime
                       "idle\n"
                       "click frmCtl.Command2(1)\n"  // a step: the MIDI step sound
                       "wait 1500\n"
                       "click frmCtl.cmdTapeNext\n"  // mark 1: MP3 chime to its end, then speech
                       "idle\n"
                       "wait 4500\n"
                       "click frmCtl.cmdTapeNext\n"  // mark 2: WAV chime, speech, and a step
                       "idle\n"
                       "wait 2500\n"
                       "click frmCtl.Command2(1)\n"
                       "wait 2000\n"  // the disk driver writes a little behind
                       "click frmCtl.cmdTapeSet\n"
                       "set dlgSpeech.txtSpeed 150\n"
                       "answer OK\n"
                       "dump @/end.json\n"
                       "quit\n"),
        QStringLiteral("t.script"), demo,
        {QStringLiteral("SDL_AUDIODRIVER=disk"), QStringLiteral("SDL_DISKAUDIOFILE=") + raw});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    const QJsonObject end = readJson(dir.filePath(QStringLiteral("end.json")));
    EXPECT_EQ(at(end, "trip/CurIndex"), 3);
    EXPECT_EQ(at(end, "tape/TapePos"), 2);

    const QJsonArray sounds = eventsOf(end, QStringLiteral("sound"));
    QStringList types;
    for (const QJsonValue &s : sounds) types << s[QStringLiteral("file")].toString().right(3) + s[QStringLiteral("outcome")].toString();
    EXPECT_EQ(types, QStringList({"wavplayed", "wavplayed", "mp3played", "midplayed", "mp3played", "wavplayed", "midplayed", "midplayed"}));
    QJsonArray started;
    for (const QJsonValue &s : eventsOf(end, QStringLiteral("speech")))
        if (s[QStringLiteral("state")].toString() == QStringLiteral("started")) started.append(s);
    ASSERT_EQ(started.size(), 2);

    // The audio's time 0 is the first key click.
    const std::vector<bool> loud = loudBlocks(raw);
    const int firstClick = firstLoud(loud, 0, 5000);
    ASSERT_GE(firstClick, 0);
    const int offset = firstClick - sounds.at(0)[QStringLiteral("ms")].toInt();
    for (const QJsonValue &s : sounds) {
        const int at = s[QStringLiteral("ms")].toInt() + offset;
        EXPECT_GE(firstLoud(loud, at - 100, at + 500), 0) << qPrintable(s[QStringLiteral("file")].toString()) << " at " << at;
    }
    // The first announcement after its chime: real speech of a plausible length, beginning soon.
    const int spoken = started.at(0)[QStringLiteral("ms")].toInt() + offset;
    const int heard = firstLoud(loud, spoken, spoken + 4000);
    ASSERT_GE(heard, 0);
    EXPECT_LT(heard - spoken, 1500);
    EXPECT_GE(loudMs(loud, spoken, spoken + 4400), 1500);
    // The voice adjustment is kept beside the settings file.
    QFile voice(dir.filePath(QStringLiteral("207_000.voice")));
    ASSERT_TRUE(voice.open(QIODevice::ReadOnly));
    EXPECT_TRUE(voice.readAll().contains("speed=150\n"));
    // Before the route set, nothing sounded.
    EXPECT_EQ(loudMs(loud, 0, firstClick), 0);
}
