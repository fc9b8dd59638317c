#pragma once
// A loopback client for the remote-control server, on plain sockets so that a test can
// send well-formed and malformed bytes alike: raw HTTP requests, the WebSocket
// handshake and frames. Every wait is bounded.
#include "program_run.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QElapsedTimer>

struct HttpAnswer {
    int status = 0;  // 0: no answer
    QByteArray head, body;
    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
};

// Reads one response (header and Content-Length body) from the socket. With `pending`,
// what came before is read first and what came after the response stays there, for
// answers that arrive back to back.
inline HttpAnswer readAnswer(QTcpSocket &s, int timeoutMs = 10000, QByteArray *pending = nullptr) {
    QByteArray local;
    QByteArray &data = pending ? *pending : local;
    QElapsedTimer clock;
    clock.start();
    HttpAnswer a;
    while (clock.elapsed() < timeoutMs) {
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end >= 0) {
            a.head = data.left(end);
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("content-length: *(\\d+)"), QRegularExpression::CaseInsensitiveOption)
                    .match(QString::fromLatin1(a.head));
            const qsizetype length = m.hasMatch() ? m.captured(1).toLongLong() : 0;
            if (data.size() >= end + 4 + length) {
                a.status = a.head.mid(9, 3).toInt();
                a.body = data.mid(end + 4, length);
                data.remove(0, end + 4 + length);
                return a;
            }
        }
        if (!s.waitForReadyRead(100) && s.state() != QAbstractSocket::ConnectedState && s.bytesAvailable() == 0) break;
        data += s.readAll();
    }
    return a;
}

// The requests below are written before the port is known: their Host and Origin
// name the server as a browser would once it is ("127.0.0.1" becomes "127.0.0.1:PORT").
inline QByteArray withPort(QByteArray request, quint16 port) {
    const QByteArray here = "127.0.0.1:" + QByteArray::number(port) + "\r\n";
    return request.replace("Host: 127.0.0.1\r\n", "Host: " + here).replace("Origin: http://127.0.0.1\r\n", "Origin: http://" + here);
}

// One connection to the server; what it answered is kept in `in`.
struct Client {
    QTcpSocket s;
    QByteArray in;
    quint16 port;
    explicit Client(quint16 port_) : port(port_) {
        s.connectToHost(QStringLiteral("127.0.0.1"), port);
        s.waitForConnected(3000);
    }
    void send(const QByteArray &bytes) {
        s.write(withPort(bytes, port));
        s.waitForBytesWritten(3000);
    }
    // Reads until `done`, the server closed, or `ms` passed.
    template <typename Done>
    bool until(Done done, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms) {
            if (!s.waitForReadyRead(50) && s.state() != QAbstractSocket::ConnectedState) break;
            in += s.readAll();
        }
        in += s.readAll();
        return done();
    }
    bool waitFor(const QByteArray &what, int ms = 5000) { return until([&] { return in.contains(what); }, ms); }
    bool closedByServer(int ms = 5000) { return until([&] { return s.state() != QAbstractSocket::ConnectedState; }, ms); }
    // The next whole answer, taken off what was read.
    HttpAnswer next(int ms = 10000) { return readAnswer(s, ms, &in); }
};

inline HttpAnswer sendRaw(quint16 port, const QByteArray &request, int timeoutMs = 10000) {
    Client c(port);
    c.send(request);
    return c.next(timeoutMs);
}

inline QByteArray request(const QByteArray &method, const QByteArray &target, const QByteArray &token,
                          const QByteArray &body = {}, const QByteArray &extraHeaders = {}) {
    QByteArray r = method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    if (!token.isEmpty()) r += "Authorization: Bearer " + token + "\r\n";
    if (!body.isEmpty()) r += "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    return r + extraHeaders + "\r\n" + body;
}

// One client frame: `first` is the byte of FIN, reserved bits and opcode (text 0x81,
// close 0x88); masked unless told, as RFC 6455 wants it.
inline QByteArray wsFrame(const QByteArray &payload, int first = 0x81, bool masked = true) {
    QByteArray f(1, static_cast<char>(first));
    const qsizetype n = payload.size();
    const char maskBit = masked ? char(0x80) : char(0);
    if (n < 126) f.append(static_cast<char>(maskBit | n));
    else f.append(static_cast<char>(maskBit | 126)).append(static_cast<char>(n >> 8)).append(static_cast<char>(n & 0xff));
    const char mask[4] = {0x12, 0x34, 0x56, 0x78};
    if (masked) f.append(mask, 4);
    for (qsizetype i = 0; i < n; ++i) f.append(static_cast<char>(payload[i] ^ (masked ? mask[i % 4] : 0)));
    return f;
}

inline QByteArray wsHandshake(const QByteArray &target, const QByteArray &origin = {}) {
    QByteArray r = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                   "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n";
    if (!origin.isEmpty()) r += "Origin: " + origin + "\r\n";
    return r + "\r\n";
}

inline const QByteArray kToken = "test-token-0123456789";

// The program with the remote control on a free loopback port, its script waiting for
// the file "go" and then dumping.
struct RemoteProgram {
    QTemporaryDir dir;
    QProcess process;
    quint16 port = 0;
    QByteArray token;
    QString url;  // as the program printed it

    explicit RemoteProgram(const QString &before = QString(), const QByteArray &token_ = kToken) : token(token_) {
        QFile script(dir.filePath(QStringLiteral("t.script")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write((QString(before).replace(QStringLiteral("@/"), dir.path() + QLatin1Char('/')) + QStringLiteral("await %1 90000\ndump %2\nquit\n")
                                   .arg(dir.filePath(QStringLiteral("go")), dir.filePath(QStringLiteral("end.json"))))
                         .toUtf8());
        script.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QStringLiteral(MITRA_BINARY_DIR "/demo"));
        process.start(QStringLiteral(MITRA_EXE),
                      {QStringLiteral("--settings"), dir.filePath(QStringLiteral("207_000.in4")), QStringLiteral("--script"),
                       script.fileName(), QStringLiteral("--remote"), QStringLiteral("127.0.0.1:0"),
                       QStringLiteral("--remote-token"), QString::fromUtf8(token)});
        // Its "remote: URL" line on standard output gives the address and the port.
        QElapsedTimer clock;
        clock.start();
        QByteArray out;
        while (clock.elapsed() < 20000 && process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(200);
            out += process.readAllStandardOutput();
            const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("remote: (http://[^:]+:(\\d+)/[^\\n]*)\n")).match(QString::fromUtf8(out));
            if (m.hasMatch()) {
                url = m.captured(1);
                port = static_cast<quint16>(m.captured(2).toUInt());
                break;
            }
        }
    }
    // Lets the script go on; the dump it writes then.
    QJsonObject finish() {
        QFile(dir.filePath(QStringLiteral("go"))).open(QIODevice::WriteOnly);
        EXPECT_TRUE(process.waitForFinished(30000));
        return readJson(dir.filePath(QStringLiteral("end.json")));
    }
    ~RemoteProgram() {
        if (process.state() != QProcess::NotRunning) process.kill();
        process.waitForFinished(5000);
    }

    HttpAnswer get(const QByteArray &target) const { return sendRaw(port, request("GET", target, token)); }
    HttpAnswer act(const QByteArray &json) const { return sendRaw(port, request("POST", "/api/action", token, json)); }
};

