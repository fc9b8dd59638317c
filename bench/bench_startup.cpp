// Start-up: the program, off screen, from its start until its windows are shown and
// it quits, against an empty Qt window shown and closed the same way. The two run in
// turn, 60 times each in one run, so that a busy machine slows both alike; the counters
// are the ratios of their median times and of their median peak memory (wait4's
// ru_maxrss, the resident set's high-water mark, read by bench/run_measured).
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

struct Run {
    double ms = 0;
    double rssMb = 0;
    bool ok = false;
};

// One start through run_measured, which times it and reads its peak memory.
Run runOnce(const QStringList &command) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(QStringLiteral(RUN_MEASURED_EXE), command);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    const QList<QByteArray> fields = p.readAllStandardOutput().simplified().split(' ');
    if (fields.size() != 3) return r;
    r.ms = fields[0].toDouble();
    r.rssMb = fields[1].toDouble() / 1024;  // kilobytes on Linux
    r.ok = fields[2] == "0";
    return r;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_StartupAgainstEmptyWindow(benchmark::State &state) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("quit.script"));
    QFile f(script);
    if (f.open(QIODevice::WriteOnly)) f.write("quit\n");
    f.close();
    const QStringList empty{QStringLiteral(EMPTY_WINDOW_EXE)};
    // MITRA_STARTUP_EXE names another build of the program to measure (one of main, say).
    const QString exe = qEnvironmentVariable("MITRA_STARTUP_EXE", QStringLiteral(MITRA_EXE));
    const QStringList program{exe, QStringLiteral("--settings"), dir.filePath(QStringLiteral("s.in4")),
                              QStringLiteral("--script"), script};
    // One start of each first: the files they read are then in the page cache for both.
    runOnce(empty);
    runOnce(program);
    std::vector<double> emptyMs, programMs, emptyMb, programMb;
    int failures = 0;
    bool programFirst = false;
    for (auto _ : state) {
        // Which one goes first alternates too, so neither always follows the other.
        const Run a = runOnce(programFirst ? program : empty);
        const Run b = runOnce(programFirst ? empty : program);
        const Run &e = programFirst ? b : a, &p = programFirst ? a : b;
        programFirst = !programFirst;
        if (!e.ok || !p.ok) {
            ++failures;
            continue;
        }
        emptyMs.push_back(e.ms);
        programMs.push_back(p.ms);
        emptyMb.push_back(e.rssMb);
        programMb.push_back(p.rssMb);
        state.SetIterationTime(p.ms / 1000);
    }
    if (failures) state.SkipWithError("a start did not end with status 0");
    state.counters["empty_ms"] = median(emptyMs);
    state.counters["program_ms"] = median(programMs);
    state.counters["time_ratio"] = median(programMs) / std::max(median(emptyMs), 1e-9);
    state.counters["empty_rss_mb"] = median(emptyMb);
    state.counters["program_rss_mb"] = median(programMb);
    state.counters["rss_ratio"] = median(programMb) / std::max(median(emptyMb), 1e-9);
}
BENCHMARK(BM_StartupAgainstEmptyWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

}  // namespace
