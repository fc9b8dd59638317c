#include "remote/remote_connection.h"

#include "remote/http_reply.h"

#include <QTcpSocket>

namespace remote {

RemoteConnection::RemoteConnection(QTcpSocket *socket, QObject *parent, int pingMs)
    : QObject(parent), socket_(socket), peer_(socket->peerAddress().toString()), pingMs_(pingMs) {
    socket_->setParent(this);
    // What the client sends beyond what is being read stays in the network's buffers.
    socket_->setReadBufferSize(64 * 1024);
    for (QTimer *t : {&idle_, &deadline_, &linger_}) t->setSingleShot(true);
    connect(socket_, &QTcpSocket::readyRead, this, [this] {
        if (mode_ == Mode::Http) readHttp();
        else if (mode_ == Mode::WebSocket) readFrames();
        else if (mode_ == Mode::Closing) socket_->readAll();  // nobody reads it any more
    });
    connect(socket_, &QAbstractSocket::stateChanged, this, [this](QAbstractSocket::SocketState s) {
        if (s == QAbstractSocket::UnconnectedState) finish();
    });
    connect(&idle_, &QTimer::timeout, this, [this] {
        if (mode_ != Mode::WebSocket) return end({});
        if (pinged_) return socket_->abort();
        pinged_ = true;
        send(ws::frame(ws::Ping, {}));
        idle_.start(pingMs_);
    });
    connect(&deadline_, &QTimer::timeout, this, [this] {
        end(errorResponse(408, QStringLiteral("request not complete within 10 s"), true));
    });
    connect(&linger_, &QTimer::timeout, socket_, &QTcpSocket::abort);
    idle_.start(kIdleMs);
    // Bytes may have come before this took the socket.
    QMetaObject::invokeMethod(this, &RemoteConnection::readHttp, Qt::QueuedConnection);
}

void RemoteConnection::fill(qsizetype cap) {
    const qint64 room = cap - in_.size();
    if (room > 0 && socket_->bytesAvailable() > 0) in_ += socket_->read(room);
}

void RemoteConnection::readHttp() {
    if (mode_ != Mode::Http) return;
    const bool wasEmpty = in_.isEmpty();
    const qsizetype before = in_.size();
    fill(kMaxHeaderBytes + 4 + kMaxBodyBytes);
    if (in_.size() > before) idle_.start(kIdleMs);
    if (in_.isEmpty()) return;
    if (wasEmpty && !deadline_.isActive()) deadline_.start(kRequestMs);
    const HttpParse parse = parseRequest(in_, &request_);
    if (parse.outcome == HttpParse::NeedMore) return;
    deadline_.stop();
    if (parse.outcome == HttpParse::Refused) return end(errorResponse(parse.status, parse.reason, true));
    in_.remove(0, parse.consumed);
    keepAlive_ = request_.keepAlive();
    mode_ = Mode::Answering;
    idle_.stop();
    emit requestReceived(this, request_);
}

void RemoteConnection::reply(const QByteArray &response) {
    if (mode_ != Mode::Answering) return;
    if (!keepAlive_) return end(response);
    send(response);
    mode_ = Mode::Http;
    idle_.start(kIdleMs);
    // A request sent behind this one is read now, not before.
    if (!in_.isEmpty()) deadline_.start(kRequestMs);
    QMetaObject::invokeMethod(this, &RemoteConnection::readHttp, Qt::QueuedConnection);
}

void RemoteConnection::acceptWebSocket(const HttpRequest &handshake) {
    if (mode_ != Mode::Answering) return;
    send("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Accept: " +
         ws::acceptKey(handshake.value("sec-websocket-key")) + "\r\n\r\n");
    mode_ = Mode::WebSocket;
    idle_.start(pingMs_);
    QMetaObject::invokeMethod(this, &RemoteConnection::readFrames, Qt::QueuedConnection);
}

void RemoteConnection::readFrames() {
    if (mode_ != Mode::WebSocket) return;
    const qsizetype before = in_.size();
    fill(frames_.maxFrameBytes());
    if (in_.size() > before) {
        pinged_ = false;  // the client is there
        idle_.start(pingMs_);
    }
    for (const ws::Event &e : frames_.read(in_)) {
        switch (e.kind) {
        case ws::Event::Message:
            // The control channel speaks JSON text; a binary message is not understood.
            if (!e.text) return closeWebSocket(ws::UnsupportedData, "text messages only");
            emit messageReceived(this, e.payload);
            if (mode_ != Mode::WebSocket) return;
            break;
        case ws::Event::Ping: send(ws::frame(ws::Pong, e.payload)); break;
        case ws::Event::Pong: break;
        case ws::Event::Close: return end(ws::closeFrame(e.code == 1005 ? ws::Normal : e.code));
        case ws::Event::Fail: return closeWebSocket(e.code, "protocol error");
        }
    }
    // More may wait in the socket than one round took.
    if (socket_->bytesAvailable() > 0 && in_.size() < frames_.maxFrameBytes())
        QMetaObject::invokeMethod(this, &RemoteConnection::readFrames, Qt::QueuedConnection);
}

void RemoteConnection::sendText(const QByteArray &utf8) {
    if (mode_ == Mode::WebSocket) send(ws::frame(ws::Text, utf8));
}

void RemoteConnection::sendBinary(const QByteArray &data) {
    if (mode_ == Mode::WebSocket) send(ws::frame(ws::Binary, data));
}

void RemoteConnection::closeWebSocket(quint16 code, const QByteArray &reason) {
    if (mode_ == Mode::WebSocket) end(ws::closeFrame(code, reason));
}

qint64 RemoteConnection::bytesToWrite() const { return socket_->bytesToWrite(); }

void RemoteConnection::send(const QByteArray &bytes) {
    if (socket_->state() == QAbstractSocket::ConnectedState) socket_->write(bytes);
}

void RemoteConnection::end(const QByteArray &last) {
    if (mode_ == Mode::Closing || finished_) return;
    mode_ = Mode::Closing;
    idle_.stop();
    deadline_.stop();
    // What the client already sent is dropped here, so that the close does not reset
    // the connection before the client has read the last answer.
    socket_->readAll();
    send(last);
    linger_.start(kLingerMs);
    socket_->disconnectFromHost();
}

void RemoteConnection::finish() {
    if (finished_) return;
    finished_ = true;
    mode_ = Mode::Closing;
    for (QTimer *t : {&idle_, &deadline_, &linger_}) t->stop();
    emit finished(this);
    deleteLater();
}

}  // namespace remote
