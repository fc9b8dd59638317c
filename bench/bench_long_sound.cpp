// Starting a long sound: the longest gap between 1 ms ticks of the window thread
// while PlaySnd starts a ten-minute MP3 or MIDI file, against the same with a
// 1-second WAV. The manual time of each run is that gap.
#include "base/event_log.h"
#include "media/audio_device.h"
#include "bench_channels.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &folder() {
    static QTemporaryDir dir;
    return dir;
}

QString oneSecondWav() {
    const QString path = folder().filePath(QStringLiteral("one.wav"));
    if (!QFile::exists(path))
        QProcess::execute(QStringLiteral("sox"), {QStringLiteral("-q"), QStringLiteral("-n"), QStringLiteral("-r"),
            QStringLiteral("44100"), QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"),
            path, QStringLiteral("synth"), QStringLiteral("1"), QStringLiteral("sine"), QStringLiteral("660")});
    return path;
}

// Ten minutes of a slowly gliding tone, encoded by lame from sox's output.
QString tenMinuteMp3() {
    const QString path = folder().filePath(QStringLiteral("ten.mp3"));
    if (!QFile::exists(path))
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"),
            QStringLiteral("sox -q -n -r 22050 -c 1 -b 16 -t wav - synth 600 sine 300-900 vol 0.5 | "
                           "lame --quiet -b 48 - '%1'").arg(path)});
    return path;
}

// Ten minutes of quarter notes at 120 beats a minute on a piano, one track.
QString tenMinuteMidi() {
    const QString path = folder().filePath(QStringLiteral("ten.mid"));
    if (QFile::exists(path)) return path;
    QByteArray track;
    auto note = [&track](quint8 key, bool on, quint8 delta) {
        track.append(static_cast<char>(delta));
        track.append(static_cast<char>(on ? 0x90 : 0x80));
        track.append(static_cast<char>(key));
        track.append(static_cast<char>(on ? 0x60 : 0));
    };
    for (int i = 0; i < 1200; ++i) {  // 0.5 s each: 96 ticks a beat, 500 000 µs a beat
        const quint8 key = static_cast<quint8>(60 + (i * 7) % 24);
        note(key, true, 0);
        note(key, false, 0x60);
    }
    track.append("\x00\xff\x2f\x00", 4);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return path;
    QDataStream out(&f);  // big-endian, as MIDI files are
    out.writeRawData("MThd", 4);
    out << quint32(6) << quint16(0) << quint16(1) << quint16(96);
    out.writeRawData("MTrk", 4);
    out << quint32(track.size());
    out.writeRawData(track.constData(), static_cast<int>(track.size()));
    return path;
}

void BM_WorstTickGapStartingSound(benchmark::State &state, QString (*file)()) {
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    if (!benchChannels().device().ready()) return state.SkipWithError("no audio device");
    const QString path = file();
    if (!QFile::exists(path)) return state.SkipWithError("sox or lame missing");
    double lengthMs = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QElapsedTimer tick, afterPlay;
        double worst = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            worst = std::max(worst, tick.nsecsElapsed() / 1e6);
            tick.restart();
            if (afterPlay.isValid() && afterPlay.elapsed() > 50) loop.quit();
        });
        QTimer::singleShot(20, [&] {
            benchChannels().play(path, QStringLiteral("S1"), 0, 0);
            afterPlay.start();
        });
        tick.start();
        ticker.start(1);
        loop.exec();
        state.SetIterationTime(worst / 1e3);
        const QJsonObject s1 = benchChannels().toJson().value(QStringLiteral("S1")).toObject();
        if (!s1.value(QStringLiteral("playing")).toBool()) state.SkipWithError("the sound did not start");
        lengthMs = events::all().last().toObject().value(QStringLiteral("lengthMs")).toInt();
        benchChannels().closeAll();
    }
    state.counters["sound_s"] = lengthMs / 1000;
}

void BM_Baseline_WorstTickGapStarting1sWav(benchmark::State &state) { BM_WorstTickGapStartingSound(state, oneSecondWav); }
void BM_WorstTickGapStarting10MinMp3(benchmark::State &state) { BM_WorstTickGapStartingSound(state, tenMinuteMp3); }
void BM_WorstTickGapStarting10MinMidi(benchmark::State &state) { BM_WorstTickGapStartingSound(state, tenMinuteMidi); }
BENCHMARK(BM_Baseline_WorstTickGapStarting1sWav)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WorstTickGapStarting10MinMp3)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_WorstTickGapStarting10MinMidi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
