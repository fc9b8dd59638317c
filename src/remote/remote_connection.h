#pragma once
// One client connection of the remote-control server, from its first byte to its
// end: HTTP requests read one at a time within the limits (the next is read only
// after the last was answered, so answers go out in order), the deadlines that keep
// a slow or silent client from holding it, and after a WebSocket handshake the
// frames both ways. It tells once that it is gone, however it ended (a close frame,
// a close, a reset), and then deletes itself.
#include "remote/http_request.h"
#include "remote/websocket_frames.h"

#include <QObject>
#include <QTimer>

class QTcpSocket;

namespace remote {

class RemoteConnection : public QObject {
    Q_OBJECT
public:
    // A connection silent this long between requests is closed.
    static constexpr int kIdleMs = 30000;
    // A request must be complete this long after its first byte.
    static constexpr int kRequestMs = 10000;
    // A closing connection whose client does not take the last answer is cut off then.
    static constexpr int kLingerMs = 5000;
    // A WebSocket silent this long is pinged, and cut off when the ping gets no answer
    // within as long again: a phone gone out of range sends no close and no reset.
    static constexpr int kPingMs = 30000;

    // Takes over `socket` (connected), which goes with this.
    RemoteConnection(QTcpSocket *socket, QObject *parent, int pingMs = kPingMs);

    QString peer() const { return peer_; }
    // The request in hand lets the connection stay open after its answer.
    bool keepAlive() const { return keepAlive_; }
    // Answers the request in hand; the connection ends after it unless kept alive.
    void reply(const QByteArray &response);
    // Accepts the request in hand as a WebSocket: from here on, frames.
    void acceptWebSocket(const HttpRequest &handshake);
    void sendText(const QByteArray &utf8);
    void sendBinary(const QByteArray &data);
    void closeWebSocket(quint16 code, const QByteArray &reason);
    qint64 bytesToWrite() const;

signals:
    void requestReceived(remote::RemoteConnection *connection, const remote::HttpRequest &request);
    void messageReceived(remote::RemoteConnection *connection, const QByteArray &text);
    // The connection is gone; it deletes itself after this.
    void finished(remote::RemoteConnection *connection);

private:
    enum class Mode { Http, Answering, WebSocket, Closing };

    // Moves what the socket holds into the buffer, never past `cap` bytes.
    void fill(qsizetype cap);
    void readHttp();
    void readFrames();
    void send(const QByteArray &bytes);
    // Writes `last` and closes once it is sent.
    void end(const QByteArray &last);
    void finish();

    QTcpSocket *socket_;
    QString peer_;
    Mode mode_ = Mode::Http;
    QByteArray in_;
    HttpRequest request_;
    bool keepAlive_ = true;
    ws::FrameReader frames_{kMaxBodyBytes};
    QTimer idle_, deadline_, linger_;
    bool finished_ = false;
    int pingMs_;
    bool pinged_ = false;  // a ping is out and nothing came since
};

}  // namespace remote
