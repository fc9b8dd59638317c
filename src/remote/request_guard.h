#pragma once
// Reads along a connection's bytes before the HTTP server does, to keep what the
// server would buffer small: a header block of at most 8 KiB, a body of at most
// 16 KiB given by Content-Length (chunked bodies are refused), and a WebSocket
// upgrade only with the token and this server's origin (a refused handshake gets its
// status before any WebSocket exists). Anything it cannot frame for sure ends the
// connection, so it never disagrees with the server about where a request ends.
#include <QByteArray>
#include <QObject>

class QTcpSocket;
class QTimer;

namespace remote {

class RequestGuard : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxHeaderBytes = 8 * 1024;
    static constexpr int kMaxBodyBytes = 16 * 1024;
    // A connection that sends nothing for this long is closed (a WebSocket is not).
    static constexpr int kIdleMs = 30000;

    // Watches `socket` (and goes with it); connect before the server reads it.
    RequestGuard(QTcpSocket *socket, QByteArray token);

private:
    enum class State { Header, Body, Upgraded, Closed };

    void onReadyRead();
    // Takes a complete header block; false when the connection was refused.
    bool onHeader(const QByteArray &block);
    void refuse(int status, const QString &reason);

    QTcpSocket *socket_;
    QByteArray token_;
    State state_ = State::Header;
    QByteArray header_;
    qint64 bodyLeft_ = 0;
    QTimer *idle_;
};

}  // namespace remote
