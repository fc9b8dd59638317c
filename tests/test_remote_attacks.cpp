// The remote server under attack in one run of the program; it answers a plain GET
// after each attack.
#include "remote_client.h"

#include <QFile>
#include <QThread>
#include <sys/socket.h>

namespace {

// Resident memory of a process, in KiB.
long residentKiB(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

}  // namespace

TEST(RemoteAttacks, GuardHostOrderFramesSlowClientsAndSlots) {
    const QByteArray token = "a&b#c+d%e f=g?h/i-0123";
    RemoteProgram prog(QString(), token);
    ASSERT_NE(prog.port, 0) << "the program did not start its remote control";
    const quint16 port = prog.port;
    const QByteArray auth = "Authorization: Bearer " + token + "\r\n";
    const QByteArray handshake = wsHandshake("/ws?token=" + QUrl::toPercentEncoding(QString::fromUtf8(token)));
    auto alive = [&] { return prog.get("/api/state").status == 200; };

    // The printed address opens the page and the API as it is.
    ASSERT_TRUE(prog.url.startsWith(QStringLiteral("http://127.0.0.1:%1/?token=").arg(port))) << qPrintable(prog.url);
    const QByteArray query = prog.url.toUtf8().mid(prog.url.indexOf(u'?'));
    EXPECT_EQ(sendRaw(port, request("GET", "/" + query, {})).status, 200) << qPrintable(prog.url);
    EXPECT_EQ(sendRaw(port, request("GET", "/api/state" + query, {})).status, 200);

    // Host: only this server's own names, even with its token and a matching Origin.
    const QByteArray here = QByteArray::number(port);
    const std::pair<QByteArray, int> hosts[] = {
        {"evil.example:" + here, 421}, {"127.0.0.1:" + here, 200}, {"localhost:" + here, 200}, {"127.0.0.1:1", 421}};
    for (const auto &[host, status] : hosts)
        EXPECT_EQ(sendRaw(port, "GET /api/state HTTP/1.1\r\nHost: " + host + "\r\nOrigin: http://" + host + "\r\n" + auth + "\r\n").status, status)
            << host.constData();

    // Pipelined: answers in the order asked (the action waits for the window thread),
    // and nothing after Connection: close.
    {
        Client c(port);
        c.send(request("POST", "/api/action", token, R"({"action":"forward"})") + request("GET", "/api/state", token) +
               request("GET", "/api/state", token, {}, "Connection: close\r\n") + request("GET", "/api/state", token));
        for (const int status : {409, 200, 200, 0}) EXPECT_EQ(c.next(5000).status, status);  // 409: no route yet
        EXPECT_TRUE(c.closedByServer());
    }

    // "Upgrade: websocket" without "Connection: Upgrade" is an ordinary request, and
    // the connection stays under every limit.
    const QByteArray halfUpgrade = "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n" + auth + "\r\n";
    const struct {
        const char *what;
        QByteArray then;
        int status;
    } after[] = {
        {"chunked", "POST /api/action HTTP/1.1\r\nHost: 127.0.0.1\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n", 411},
        {"200 KB body", "POST /api/action HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 200000\r\n\r\n" + QByteArray(200000, 'x'), 413},
        {"100 KB header", "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX: " + QByteArray(100000, 'a') + "\r\n\r\n", 431},
    };
    for (const auto &a : after) {
        Client c(port);
        c.send(halfUpgrade + a.then);
        EXPECT_EQ(c.next(5000).status, 400) << a.what;  // not a handshake
        EXPECT_EQ(c.next(5000).status, a.status) << a.what;
        EXPECT_TRUE(c.closedByServer()) << a.what;
    }
    // A 300 MB push behind it does not grow the program.
    const long before = residentKiB(prog.process.processId());
    {
        Client c(port);
        c.send(halfUpgrade + "POST /api/action HTTP/1.1\r\nHost: 127.0.0.1\r\n" + auth + "Content-Length: 10\r\n\r\n");
        const QByteArray chunk(1 << 20, 'x');
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 300 && c.s.state() == QAbstractSocket::ConnectedState && clock.elapsed() < 20000; ++i) {
            c.s.write(chunk);
            c.s.waitForBytesWritten(1000);
        }
    }
    EXPECT_LT(residentKiB(prog.process.processId()) - before, 50 * 1024) << "KiB before: " << before;
    EXPECT_TRUE(alive());

    // A client frame without its mask closes the WebSocket with 1002.
    {
        Client c(port);
        c.send(handshake);
        ASSERT_TRUE(c.waitFor("\"state\"")) << c.in.left(60).constData();
        c.s.write(wsFrame(R"({"action":"forward"})", 0x81, false));
        EXPECT_TRUE(c.waitFor(QByteArray("\x88\x10\x03\xea", 4) + "protocol error")) << c.in.toHex().right(40).constData();
        EXPECT_TRUE(c.closedByServer());
    }

    // Slow clients: at most 32 connections from one address, and each must send a
    // whole request within 10 s of its first byte.
    {
        std::vector<std::unique_ptr<Client>> slow;
        for (int i = 0; i < 40; ++i) slow.push_back(std::make_unique<Client>(port));
        QThread::msleep(300);
        int cut = 0;
        for (auto &c : slow) cut += c->closedByServer(20);
        EXPECT_EQ(cut, 40 - 32);
        QElapsedTimer clock;
        clock.start();
        for (int step = 0; clock.elapsed() < 13000; ++step) {
            for (auto &c : slow) {
                // What the server said is read before the next byte goes out, which a
                // closed connection would answer with a reset that loses it.
                c->s.waitForReadyRead(5);
                c->in += c->s.readAll();
                if (c->s.state() == QAbstractSocket::ConnectedState && c->in.isEmpty())
                    c->s.write(step == 0 ? "G" : "E"), c->s.flush();
            }
            QThread::msleep(1000);
        }
        int timedOut = 0;
        for (auto &c : slow) timedOut += c->closedByServer(100) && c->in.startsWith("HTTP/1.1 408");
        EXPECT_EQ(timedOut, 32);
    }
    EXPECT_TRUE(alive());

    // A thousand connections of each kind, opened and closed one after another: each
    // gives its slot back, however it ended.
    const char *kinds[] = {"WebSocket closed with a close frame", "WebSocket dropped", "HTTP keep-alive closed", "HTTP reset"};
    QElapsedTimer total;
    total.start();
    for (int kind = 0; kind < 4; ++kind) {
        int served = 0;
        for (int i = 0; i < 1000 && total.elapsed() < 120000; ++i) {
            Client c(port);
            if (kind < 2) {
                c.send(handshake);
                served += c.waitFor("\"state\"", 2000);
                if (kind == 0) {
                    c.s.write(wsFrame(QByteArray("\x03\xe8", 2), 0x88));
                    c.closedByServer(2000);
                }
            } else {
                c.send(request("GET", "/api/state", token));
                served += readAnswer(c.s, 2000).status == 200;
                if (kind == 3) {
                    const linger hard{1, 0};  // close with a reset
                    ::setsockopt(static_cast<int>(c.s.socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                }
            }
            c.s.abort();
        }
        EXPECT_EQ(served, 1000) << kinds[kind];
        EXPECT_TRUE(alive()) << kinds[kind];
    }
    prog.finish();
}
