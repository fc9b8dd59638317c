// One server connection in this process, on loopback: a client gone silent (no close,
// no reset, as a phone out of range) is pinged and then cut off.
#include "remote/remote_connection.h"
#include "remote_client.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QThread>

namespace {

struct Pair {
    QTcpServer server;
    QTcpSocket client;
    remote::RemoteConnection *connection = nullptr;
    bool gone = false;
    QByteArray in;

    explicit Pair(int pingMs) {
        server.listen(QHostAddress::LocalHost, 0);
        client.connectToHost(QStringLiteral("127.0.0.1"), server.serverPort());
        client.waitForConnected(3000);
        server.waitForNewConnection(3000);
        connection = new remote::RemoteConnection(server.nextPendingConnection(), nullptr, pingMs);
        QObject::connect(connection, &remote::RemoteConnection::finished, [this] { gone = true; });
        QObject::connect(connection, &remote::RemoteConnection::requestReceived,
                         [](remote::RemoteConnection *c, const remote::HttpRequest &r) { c->acceptWebSocket(r); });
        client.write(wsHandshake("/ws"));
        spin(500, [this] { return in.contains("\r\n\r\n"); }, false);
    }
    ~Pair() {
        if (!gone) delete connection;
    }
    // Runs both ends for up to `ms`, until `done`; answers each ping with a pong if asked.
    template <typename Done>
    bool spin(int ms, Done done, bool answerPings) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QCoreApplication::processEvents();
            client.waitForReadyRead(5);
            const QByteArray got = client.readAll();
            in += got;
            if (answerPings && got.contains(QByteArray("\x89\x00", 2))) client.write(wsFrame({}, 0x8A));
            if (done()) return true;
        }
        return false;
    }
};

}  // namespace

TEST(RemoteConnection, SilentWebSocketIsPingedThenCutOff) {
    Pair silent(150);
    ASSERT_TRUE(silent.in.startsWith("HTTP/1.1 101")) << silent.in.constData();
    EXPECT_TRUE(silent.spin(2000, [&] { return silent.gone; }, false));
    EXPECT_TRUE(silent.in.contains(QByteArray("\x89\x00", 2)));  // it was asked first

    Pair answering(150);
    ASSERT_TRUE(answering.in.startsWith("HTTP/1.1 101"));
    EXPECT_FALSE(answering.spin(1000, [&] { return answering.gone; }, true));
    EXPECT_GE(answering.in.count(QByteArray("\x89\x00", 2)), 2);
}
