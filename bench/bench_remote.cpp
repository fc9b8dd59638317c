// The remote control against the running program on loopback: an action over the API
// until its answer (sent once the panel's handler has written the board), against a
// plain request that the server answers without the windows; and the processor time
// of the program while a stop name scrolls, without viewers and with 20 board viewers.
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

const QByteArray kToken = "bench-token-0123456789";

QByteArray roundTrip(QTcpSocket &s, const QByteArray &method, const QByteArray &path, const QByteArray &body = {}) {
    s.write(method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + kToken +
            "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    QByteArray data;
    for (int i = 0; i < 500; ++i) {
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end >= 0) {
            const auto m = QRegularExpression(QStringLiteral("Content-Length: (\\d+)")).match(QString::fromLatin1(data.left(end)));
            const qsizetype length = m.captured(1).toLongLong();
            if (data.size() >= end + 4 + length) return data.mid(end + 4, length);
        }
        s.waitForReadyRead(20);
        data += s.readAll();
    }
    return {};
}

// The program with its remote control on a free loopback port, running until the bench ends.
struct Program {
    QTemporaryDir dir;
    QProcess process;
    quint16 port = 0;
    Program() {
        QFile script(dir.filePath(QStringLiteral("b.script")));
        script.open(QIODevice::WriteOnly);
        script.write("wait 600000\nquit\n");
        script.close();
        process.setWorkingDirectory(QStringLiteral(MITRA_BINARY_DIR "/demo"));
        process.start(QStringLiteral(MITRA_EXE), {QStringLiteral("--settings"), dir.filePath(QStringLiteral("s.in4")),
                                                 QStringLiteral("--script"), script.fileName(), QStringLiteral("--remote"),
                                                 QStringLiteral("127.0.0.1:0"), QStringLiteral("--remote-token"),
                                                 QString::fromLatin1(kToken)});
        QByteArray out;
        for (int i = 0; i < 100 && port == 0; ++i) {
            process.waitForReadyRead(200);
            out += process.readAllStandardOutput();
            const auto m = QRegularExpression(QStringLiteral(":(\\d+)/\\?token")).match(QString::fromUtf8(out));
            if (m.hasMatch()) port = static_cast<quint16>(m.captured(1).toUInt());
        }
    }
    ~Program() {
        process.kill();
        process.waitForFinished(5000);
    }
    std::unique_ptr<QTcpSocket> connect() const {
        auto s = std::make_unique<QTcpSocket>();
        s->connectToHost(QStringLiteral("127.0.0.1"), port);
        s->waitForConnected(3000);
        return s;
    }
    // Processor time of the program so far, in milliseconds.
    qint64 cpuMs() const {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(process.processId()));
        if (!stat.open(QIODevice::ReadOnly)) return 0;
        const QList<QByteArray> f = stat.readAll().split(')').value(1).trimmed().split(' ');
        return (f.value(11).toLongLong() + f.value(12).toLongLong()) * 1000 / sysconf(_SC_CLK_TCK);
    }
};

Program &program() {
    static Program p;
    static bool routed = [] {
        auto s = p.connect();
        roundTrip(*s, "POST", "/api/action", R"({"action":"route","route":"1","section":"1"})");
        return true;
    }();
    (void)routed;
    return p;
}

void BM_RemotePlainRoundTrip(benchmark::State &state) {
    auto s = program().connect();
    for (auto _ : state) benchmark::DoNotOptimize(roundTrip(*s, "GET", "/api/state"));
}
BENCHMARK(BM_RemotePlainRoundTrip)->Unit(benchmark::kMillisecond);

// The server takes at most 10 actions a second from one client: each action is timed
// alone, with a pause outside the measurement.
void BM_RemoteActionToBoard(benchmark::State &state) {
    auto s = program().connect();
    bool forward = true;
    for (auto _ : state) {
        QThread::msleep(120);
        QElapsedTimer clock;
        clock.start();
        // Forward and back in turn, so that the trip never reaches its end.
        const QByteArray answer = roundTrip(*s, "POST", "/api/action", forward ? R"({"action":"forward"})" : R"({"action":"back"})");
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!answer.startsWith("{\"backlight\"")) state.SkipWithError("the action was not carried out");
        forward = !forward;
    }
}
BENCHMARK(BM_RemoteActionToBoard)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

// Processor time as a share of one core over 3 s while a long stop name scrolls:
// counters `idle_pct` (no viewer) and `viewers20_pct` (20 viewers of /board).
void BM_RemoteMirrorViewersCpu(benchmark::State &state) {
    Program &p = program();
    auto s = p.connect();
    // Step to a stop whose name scrolls (seven characters or more).
    for (int i = 0; i < 33; ++i) {
        const QJsonObject st = QJsonDocument::fromJson(roundTrip(*s, "GET", "/api/state")).object();
        if (st.value(QStringLiteral("stopName")).toString().size() >= 7) break;
        QThread::msleep(120);
        roundTrip(*s, "POST", "/api/action", R"({"action":"forward"})");
    }
    if (QJsonDocument::fromJson(roundTrip(*s, "GET", "/api/state")).object().value(QStringLiteral("stopName")).toString().size() < 7)
        state.SkipWithError("no stop name long enough to scroll");
    auto share = [&p](const std::function<void()> &during) {
        const qint64 before = p.cpuMs();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 3000) during();
        return 100.0 * static_cast<double>(p.cpuMs() - before) / static_cast<double>(clock.elapsed());
    };
    for (auto _ : state) {
        const double idle = share([] { QThread::msleep(50); });
        std::vector<std::unique_ptr<QTcpSocket>> viewers;
        for (int i = 0; i < 20; ++i) {
            viewers.push_back(p.connect());
            viewers.back()->write("GET /ws/board?token=" + kToken + " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
                                  "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        }
        qint64 received = 0;
        const double watched = share([&] {
            for (auto &v : viewers) {
                v->waitForReadyRead(2);
                received += v->readAll().size();
            }
        });
        state.counters["idle_pct"] = idle;
        state.counters["viewers20_pct"] = watched;
        state.counters["added_pct"] = watched - idle;
        state.counters["kbytes_per_viewer"] = static_cast<double>(received) / 20.0 / 1024.0;
    }
}
BENCHMARK(BM_RemoteMirrorViewersCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
