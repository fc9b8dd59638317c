// Sound and speech: an asynchronous PlaySnd of a 1-second WAV against SDL's own load
// of the same file; the time from "送り" to the first speech sample against the length
// of that speech, with the longest stall of the window thread meanwhile.
#include "media/audio_device.h"
#include "media/open_jtalk_engine.h"
#include "bench_channels.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <benchmark/benchmark.h>

#include <SDL2/SDL_mixer.h>

#include <cmath>

namespace {

void useDummyAudio() {
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
}

// A 1-second 44.1 kHz mono sine, written once.
const QString &oneSecondWav() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("one.wav"));
        const int rate = 44100;
        QByteArray d("RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data", 40);
        QByteArray pcm(rate * 2, '\0');
        for (int i = 0; i < rate; ++i)
            qToLittleEndian<qint16>(static_cast<qint16>(8000 * std::sin(2 * M_PI * 660.0 * i / rate)), pcm.data() + 2 * i);
        char n[4];
        qToLittleEndian<quint32>(static_cast<quint32>(pcm.size()), n);
        d.append(n, 4);
        qToLittleEndian<quint32>(static_cast<quint32>(d.size() - 8 + pcm.size()), d.data() + 4);
        QFile f(p);
        if (f.open(QIODevice::WriteOnly)) f.write(d + pcm);
        return p;
    }();
    return path;
}

void BM_Baseline_SdlLoadWav1s(benchmark::State &state) {
    useDummyAudio();
    benchChannels().device().ready();
    const QByteArray path = QFile::encodeName(oneSecondWav());
    for (auto _ : state) {
        Mix_Chunk *chunk = Mix_LoadWAV(path.constData());
        benchmark::DoNotOptimize(chunk);
        Mix_FreeChunk(chunk);
    }
}
BENCHMARK(BM_Baseline_SdlLoadWav1s)->Unit(benchmark::kMicrosecond);

void BM_PlaySndAsync1sWav(benchmark::State &state) {
    useDummyAudio();
    const QString path = oneSecondWav();
    for (auto _ : state) benchChannels().play(path, QStringLiteral("S1"), 0, 0);
    benchChannels().closeAll();
}
BENCHMARK(BM_PlaySndAsync1sWav)->Unit(benchmark::kMicrosecond);

// The longest gap between 1 ms ticks of the window thread over `ms` milliseconds.
double worstTickGapMs(int ms) {
    QEventLoop loop;
    QElapsedTimer clock, tick;
    QTimer ticker;
    double worst = 0;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        worst = std::max(worst, tick.nsecsElapsed() / 1e6);
        tick.restart();
        if (clock.elapsed() >= ms) loop.quit();
    });
    clock.start();
    tick.start();
    ticker.start(1);
    loop.exec();
    return worst;
}

// Manual time: from speak to the first sample. Counters: the speech's length and the
// longest gap between 1 ms ticks of the window thread while it was being made.
void BM_SpeechFirstSample20Chars(benchmark::State &state) {
    useDummyAudio();
    AudioDevice &device = benchChannels().device();
    auto engine = OpenJTalkEngine::create(device);
    if (!engine || !device.ready()) return state.SkipWithError("Open JTalk or audio not available");
    const QString text = QStringLiteral("次は、市役所前です。お降りの方はお知らせください");  // 20 characters
    double lengthMs = 0, worstGapMs = 0, idleGapMs = 0, speakCallMs = 0;
    for (auto _ : state) {
        {
            // Baseline: the same ticks while open_jtalk runs as a separate process, so the
            // processor is as busy as during speech but the window thread has nothing to do.
            QProcess other;
            other.start(QStringLiteral("sh"), {QStringLiteral("-c"),
                QStringLiteral("for i in 1 2 3; do echo %1 | open_jtalk -x /var/lib/mecab/dic/open-jtalk/naist-jdic "
                               "-m /usr/share/hts-voice/nitech-jp-atr503-m001/nitech_jp_atr503_m001.htsvoice -ow /dev/null; done").arg(text)});
            other.waitForStarted();
            idleGapMs = std::max(idleGapMs, worstTickGapMs(1000));
            other.waitForFinished(20000);
        }
        QEventLoop loop;
        QElapsedTimer clock, tick;
        QTimer ticker;
        qint64 firstSample = -1;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            worstGapMs = std::max(worstGapMs, tick.nsecsElapsed() / 1e6);
            tick.restart();
            if (firstSample < 0 && device.playing(kSpeechSlot)) firstSample = clock.nsecsElapsed();
            if (engine->idle() || clock.elapsed() > 20000) loop.quit();
        });
        clock.start();
        tick.start();
        QElapsedTimer call;
        call.start();
        engine->speak(text);
        speakCallMs = std::max(speakCallMs, call.nsecsElapsed() / 1e6);
        ticker.start(1);
        loop.exec();
        const qint64 total = clock.elapsed();
        state.SetIterationTime(firstSample < 0 ? 0 : firstSample / 1e9);
        lengthMs = static_cast<double>(total) - (firstSample < 0 ? 0 : firstSample / 1e6);
    }
    state.counters["speech_ms"] = lengthMs;
    state.counters["worst_tick_gap_ms"] = worstGapMs;
    state.counters["busy_idle_worst_tick_gap_ms"] = idleGapMs;
    state.counters["speak_call_ms"] = speakCallMs;
}
BENCHMARK(BM_SpeechFirstSample20Chars)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
