// What recording costs: the real program runs the demo route with its scrolling
// stop name for a few seconds without recording (the baseline), then recording at
// 1x and at 4x. Counters: `core_pct_over_baseline` (processor time, all threads, as
// a share of one core beyond the baseline's) and `longest_tick_late_ms` (the longest
// the window thread kept a frame waiting).
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

constexpr int kSeconds = 8;

struct Run {
    double cpuSeconds = 0;
    double wallSeconds = 0;
    QJsonObject record;
};

Run runDemo(const QStringList &extra) {
    QTemporaryDir dir;
    const QString demo = QStringLiteral(MITRA_BINARY_DIR "/demo");
    QFile::copy(demo + QStringLiteral("/demo.in4"), dir.filePath(QStringLiteral("s.in4")));
    QFile script(dir.filePath(QStringLiteral("t.script")));
    script.open(QIODevice::WriteOnly);
    script.write(QStringLiteral("select frmCtl.List2(4) 1\nselect frmCtl.List3(2) 1\nclick frmCtl.Command1(0)\nidle\n"
                                "wait %1\ndump %2\nquit\n")
                     .arg(kSeconds * 1000)
                     .arg(dir.filePath(QStringLiteral("d.json")))
                     .toUtf8());
    script.close();
    QStringList args{QStringLiteral(MITRA_EXE), QStringLiteral("--settings"), dir.filePath(QStringLiteral("s.in4")),
                     QStringLiteral("--script"), script.fileName()};
    for (const QString &a : extra) args << QString(a).replace(QStringLiteral("@/"), dir.path() + QLatin1Char('/'));
    std::vector<QByteArray> bytes;
    for (const QString &a : args) bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes) argv.push_back(b.data());
    argv.push_back(nullptr);
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(QFile::encodeName(demo).constData()) != 0) _exit(127);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage ru{};
    wait4(pid, &status, 0, &ru);
    Run r;
    r.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    r.cpuSeconds = double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    QFile dump(dir.filePath(QStringLiteral("d.json")));
    if (dump.open(QIODevice::ReadOnly)) r.record = QJsonDocument::fromJson(dump.readAll()).object().value(QStringLiteral("record")).toObject();
    return r;
}

void BM_RecordingCost(benchmark::State &state) {
    const int zoom = int(state.range(0));
    for (auto _ : state) {
        const Run base = runDemo({});
        const Run rec = runDemo({QStringLiteral("--record"), QStringLiteral("@/r.mp4"), QStringLiteral("--record-zoom"), QString::number(zoom)});
        state.counters["core_pct_over_baseline"] = 100.0 * (rec.cpuSeconds - base.cpuSeconds) / rec.wallSeconds;
        state.counters["baseline_core_pct"] = 100.0 * base.cpuSeconds / base.wallSeconds;
        state.counters["longest_tick_late_ms"] = rec.record.value(QStringLiteral("longestTickLateMs")).toDouble(-1);
        state.counters["frames_dropped"] = rec.record.value(QStringLiteral("framesDropped")).toDouble(-1);
    }
}
BENCHMARK(BM_RecordingCost)->Arg(1)->Arg(4)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
