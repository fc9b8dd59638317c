// Recording the board and its sound, read back with FFmpeg's libraries; the trip
// running by itself.
#include "media/audio_timeline.h"
#include "media_decode.h"
#include "remote/remote_action.h"
#include "program_run.h"

#include <QDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kDemo = QStringLiteral(MITRA_BINARY_DIR "/demo");

// Runs the program in `workDir` with the demo settings (or none), `args` and a script.
ProgramRun runWith(const QTemporaryDir &dir, const QString &script, const QStringList &args, const QString &workDir,
                   std::function<void()> childSetup = {}, int killAfterMs = 0, bool demoSettings = true) {
    QFile::remove(dir.filePath(QStringLiteral("207_000.in4")));
    if (demoSettings) QFile::copy(kDemo + QStringLiteral("/demo.in4"), dir.filePath(QStringLiteral("207_000.in4")));
    return runProgram(dir, script, QStringLiteral("t.script"), workDir, {}, args, childSetup, killAfterMs);
}

// How far two pictures are apart.
struct Difference {
    double shareApart = 1;  // clearly apart, not by the encoding's loss
    double mean = 255;
};

Difference difference(const QImage &a, const QImage &b) {
    if (a.size() != b.size()) return {};
    int apart = 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
            apart += d > 90;
            sum += d;
        }
    const double n = double(a.width()) * a.height();
    return {apart / n, sum / (3 * n)};
}

// Route 1 set, an announcement, two steps (grabbed), an announcement that steps, a step.
const char *kTrip = R"(record @/trip.EXT
wait 700
select frmCtl.List2(4) 1
select frmCtl.List3(2) 1
click frmCtl.Command1(0)
idle
dump @/mid.json
wait 600
click frmCtl.cmdTapeNext
idle
wait 4000
click frmCtl.Command2(1)
idle
wait 600
click frmCtl.Command2(1)
idle
wait 600
grab Form1 @/after.png
click frmCtl.cmdTapeNext
idle
wait 4000
click frmCtl.Command2(1)
idle
wait 800
record off
dump @/dump.json
quit
)";

}  // namespace

TEST(RecordingProgram, ScriptedTripToMp4AndWebm) {
    for (const QString ext : {QStringLiteral("mp4"), QStringLiteral("webm")}) {
        SCOPED_TRACE(ext.toStdString());
        QTemporaryDir dir;
        const ProgramRun r = runWith(dir, QString::fromLatin1(kTrip).replace(QStringLiteral("EXT"), ext), {}, kDemo);
        ASSERT_EQ(r.exitCode, 0) << qPrintable(r.stderrText);
        // The panel shows the red dot and the time while recording, and nothing after.
        const QJsonObject dot = control(readJson(dir.filePath(QStringLiteral("mid.json"))), QStringLiteral("frmCtl.recordIndicator"));
        EXPECT_TRUE(dot.value(QStringLiteral("visible")).toBool());
        EXPECT_TRUE(dot.value(QStringLiteral("caption")).toString().startsWith(QStringLiteral("● 00:0")));
        const QJsonObject end = readJson(dir.filePath(QStringLiteral("dump.json")));
        EXPECT_TRUE(control(end, QStringLiteral("frmCtl.recordIndicator")).isEmpty());
        const QJsonObject rec = end.value(QStringLiteral("record")).toObject();
        EXPECT_EQ(rec.value(QStringLiteral("file")).toString(), dir.filePath(QStringLiteral("trip.") + ext));
        const double seconds = rec.value(QStringLiteral("seconds")).toDouble();
        EXPECT_GT(seconds, 14.0);
        EXPECT_GT(rec.value(QStringLiteral("framesWritten")).toInt(), int(seconds * 30 * 0.8));

        const DecodedMedia m = decodeMedia(dir.filePath(QStringLiteral("trip.") + ext));
        ASSERT_TRUE(m.opened);
        EXPECT_EQ(m.videoCodec, ext == QLatin1String("mp4") ? QStringLiteral("h264") : QStringLiteral("vp9"));
        EXPECT_EQ(m.audioCodec, ext == QLatin1String("mp4") ? QStringLiteral("aac") : QStringLiteral("opus"));
        EXPECT_NEAR(m.videoSeconds(), seconds, 0.15);
        EXPECT_NEAR(m.audioSeconds(), seconds, 0.2);

        // Silent until the route set's chime; the first picture of "系統選別中" comes with it.
        size_t firstLoud = 0;
        while (firstLoud < m.loudness.size() && m.loudness[firstLoud] < 0.02) ++firstLoud;
        ASSERT_LT(firstLoud, m.loudness.size());
        const double chimeAt = m.audioStart + firstLoud * 0.01;
        size_t changed = 1;
        while (changed < m.frames.size() && difference(m.frames[changed], m.frames[0]).mean < 2) ++changed;
        ASSERT_LT(changed, m.frames.size());
        // The board repaints once the window thread is free again: the route set may
        // hold it after the chime has started, as long as the recorder saw it late.
        const double heldBack = rec.value(QStringLiteral("longestTickLateMs")).toDouble() / 1000;
        EXPECT_NEAR(m.frameTimes[changed], chimeAt, 1.0 / 30 + 0.012 + heldBack) << "picture at " << m.frameTimes[changed];
        // Loud at the chimes and speech, quiet between them.
        int loud = 0, quietAfterLoud = 0;
        for (size_t i = firstLoud; i < m.loudness.size(); ++i) {
            if (m.loudness[i] > 0.05) ++loud;
            if (m.loudness[i] < 0.003) ++quietAfterLoud;
        }
        EXPECT_GT(loud, 100);            // more than a second of sound
        EXPECT_GT(quietAfterLoud, 200);  // and seconds of silence between

        // The board after the second step is in the file as the grab saw it.
        QImage grabbed(dir.filePath(QStringLiteral("after.png")));
        ASSERT_FALSE(grabbed.isNull());
        grabbed = grabbed.convertToFormat(QImage::Format_RGB32).scaled(m.frames[0].size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double best = 1;
        for (const QImage &f : m.frames) best = std::min(best, difference(f, grabbed).shareApart);
        EXPECT_LT(best, 0.002) << best;
        EXPECT_GT(difference(m.frames[0], grabbed).shareApart, 0.006);  // the comparison tells boards apart

        if (ext == QLatin1String("webm")) {
            ASSERT_FALSE(m.lastAlpha.isNull());
            const QImage &a = m.lastAlpha;
            EXPECT_LT(qGray(a.pixel(0, 0)), 16);
            EXPECT_LT(qGray(a.pixel(a.width() - 1, a.height() - 1)), 16);
            EXPECT_GT(qGray(a.pixel(a.width() / 2, a.height() / 2)), 240);
        }
    }
}

TEST(RecordingProgram, KilledOrFullDiskLeavesAPlayableFile) {
    {
        QTemporaryDir dir;
        runWith(dir, QStringLiteral("wait 30000\n"), {QStringLiteral("--record"), QStringLiteral("@/killed.mp4")}, kDemo, {}, 5000);
        const DecodedMedia m = decodeMedia(dir.filePath(QStringLiteral("killed.mp4")));
        ASSERT_TRUE(m.opened);
        EXPECT_GT(m.videoSeconds(), 3.0);
        EXPECT_LT(m.videoSeconds(), 5.5);
    }
    {
        // A disk that is full after 300 kB: the recording stops, the program goes on.
        QTemporaryDir dir;
        const ProgramRun r = runWith(dir, QStringLiteral("record @/full.mkv\nwait 9000\ndump @/dump.json\nquit\n"),
                                     {QStringLiteral("--record-zoom"), QStringLiteral("4")}, kDemo, [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{300000, 300000};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        EXPECT_EQ(r.exitCode, 0) << qPrintable(r.stderrText);
        EXPECT_TRUE(r.stderrText.contains(QStringLiteral("record: stopped: "))) << qPrintable(r.stderrText);
        const QJsonObject rec = readJson(dir.filePath(QStringLiteral("dump.json"))).value(QStringLiteral("record")).toObject();
        EXPECT_FALSE(rec.value(QStringLiteral("error")).toString().isEmpty());
        EXPECT_FALSE(rec.value(QStringLiteral("recording")).toBool());
        const DecodedMedia m = decodeMedia(dir.filePath(QStringLiteral("full.mkv")));
        ASSERT_TRUE(m.opened);
        EXPECT_GT(m.videoSeconds(), 1.0);
        EXPECT_LT(m.videoSeconds(), rec.value(QStringLiteral("seconds")).toDouble() + 0.1);
    }
}

TEST(RecordingProgram, AutoplayWalksTheRouteAndStartsOver) {
    // A route of three stops without an announcement list: it steps with データ送り.
    // No settings file: the program's own defaults find routes in the working folder.
    QTemporaryDir dir;
    QFile src(kDemo + QStringLiteral("/1.hy3"));
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    const QByteArray all = src.readAll();
    int at = 2;
    for (int row = 0; row < 3; ++row) at += 2 + (uchar(all[at]) | uchar(all[at + 1]) << 8) + 2 + 300;
    QFile out(dir.filePath(QStringLiteral("9.hy3")));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray("\x03\x00", 2) + all.mid(2, at - 2));
    out.close();
    const ProgramRun r = runWith(dir, QStringLiteral("select frmCtl.List2(4) 9\nselect frmCtl.List3(2) 1\nwait 12000\ndump @/dump.json\nquit\n"),
                                 {QStringLiteral("--autoplay"), QStringLiteral("1")}, dir.path(), {}, 0, false);
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.stderrText);
    const QJsonObject d = readJson(dir.filePath(QStringLiteral("dump.json")));
    const QJsonObject a = d.value(QStringLiteral("autoplay")).toObject();
    EXPECT_TRUE(a.value(QStringLiteral("on")).toBool());
    EXPECT_GE(a.value(QStringLiteral("laps")).toInt(), 1);
    // route set, two steps, route set again (and perhaps a step of the second lap)
    EXPECT_GE(a.value(QStringLiteral("presses")).toInt(), 4);
    EXPECT_EQ(d.value(QStringLiteral("trip")).toObject().value(QStringLiteral("RowCount")).toInt(), 3);
}

TEST(RecordingTimeline, KeepsTheSoundOnTheClockWithoutChasingLateBlocks) {
    // Blocks of 1024 frames; tolerance 660 frames (15 ms at 44.1 kHz).
    struct Case {
        const char *what;
        double clockPerBlock;  // clock frames that pass per block
        int jitterEvery;       // every n-th block arrives late by 900 frames (0: never)
        bool expectCorrections;
    };
    const Case cases[] = {{"on time", 1024, 0, false},
                          {"late now and then", 1024, 7, false},
                          {"output 2 % slow", 1024 * 1.02, 0, true},
                          {"output 2 % fast", 1024 / 1.02, 0, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AudioTimeline t(2, 660);
        std::vector<int16_t> block(2048, 1000), out;
        int64_t corrections = 0;
        for (int i = 0; i < 400; ++i) {
            const int64_t at = int64_t(500 + i * c.clockPerBlock) + (c.jitterEvery && i % c.jitterEvery == 3 ? 900 : 0);
            const size_t before = out.size();
            t.place(block.data(), 1024, at, out);
            if (i > 0 && out.size() != before + 2048) ++corrections;
            EXPECT_EQ(int64_t(out.size()) / 2, t.written());
            // Never further from the clock than the tolerance and a window's drift.
            EXPECT_LT(std::abs(t.written() - int64_t(500 + (i + 1) * c.clockPerBlock)), 660 + 41 * 1024 * 0.02 + 1024);
        }
        EXPECT_EQ(corrections > 0, c.expectCorrections);
        EXPECT_TRUE(out.size() >= 1000 && out[0] == 0 && out[999] == 0);  // silence before the first block
    }
}

TEST(RecordingRemote, AutoplayActionTakesOnAndAnInterval) {
    QString why;
    const auto on = remote::parseAction(R"({"action":"autoplay","on":true,"interval":8})", &why);
    ASSERT_TRUE(on);
    EXPECT_EQ(on->interval, 8);
    EXPECT_TRUE(on->on.value_or(false));
    const auto off = remote::parseAction(R"({"action":"autoplay","on":false})", &why);
    ASSERT_TRUE(off);
    EXPECT_FALSE(off->on.value_or(true));
    for (const char *bad : {R"({"action":"autoplay"})", R"({"action":"autoplay","on":true,"interval":0})",
                            R"({"action":"autoplay","on":true,"interval":2.5})", R"({"action":"autoplay","on":1})"}) {
        EXPECT_FALSE(remote::parseAction(bad, &why)) << bad;
        EXPECT_TRUE(why.contains(QStringLiteral("autoplay"))) << bad;
    }
}
