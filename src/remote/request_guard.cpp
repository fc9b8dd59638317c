#include "remote/request_guard.h"

#include "remote/access.h"
#include "remote/http_reply.h"

#include <QTcpSocket>
#include <QTimer>

namespace remote {

namespace {

struct HeaderFields {
    QByteArray target;
    QList<QPair<QByteArray, QByteArray>> fields;  // names in lower case
    bool wellFormed = false;
};

HeaderFields parseHeader(const QByteArray &block) {
    HeaderFields out;
    const QList<QByteArray> lines = block.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1.")) return out;
    out.target = requestLine[1];
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        if (line.trimmed().isEmpty()) continue;
        // Continuation lines are obsolete and ambiguous: refused rather than guessed.
        const qsizetype colon = line.indexOf(':');
        if (line.startsWith(' ') || line.startsWith('\t') || colon <= 0) return out;
        out.fields.append({line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed()});
    }
    out.wellFormed = true;
    return out;
}

QList<QByteArray> valuesOf(const HeaderFields &h, const char *name) {
    QList<QByteArray> out;
    for (const auto &[key, value] : h.fields)
        if (key == name) out.append(value);
    return out;
}

}  // namespace

RequestGuard::RequestGuard(QTcpSocket *socket, QByteArray token)
    : QObject(socket), socket_(socket), token_(std::move(token)), idle_(new QTimer(this)) {
    connect(socket, &QTcpSocket::readyRead, this, &RequestGuard::onReadyRead);
    // A closed connection goes away, whether or not a request was complete; a
    // WebSocket's connection belongs to the WebSocket.
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (state_ != State::Upgraded) socket_->deleteLater();
    });
    idle_->setSingleShot(true);
    connect(idle_, &QTimer::timeout, this, [this] {
        if (state_ != State::Upgraded) socket_->disconnectFromHost();
    });
    idle_->start(kIdleMs);
}

void RequestGuard::onReadyRead() {
    if (state_ == State::Upgraded) return;
    idle_->start(kIdleMs);
    if (state_ == State::Closed) {
        socket_->readAll();
        return;
    }
    const QByteArray data = socket_->peek(socket_->bytesAvailable());
    qsizetype pos = 0;
    while (pos < data.size() && (state_ == State::Header || state_ == State::Body)) {
        if (state_ == State::Body) {
            const qint64 take = std::min<qint64>(bodyLeft_, data.size() - pos);
            pos += take;
            bodyLeft_ -= take;
            if (bodyLeft_ == 0) state_ = State::Header;
            continue;
        }
        const qsizetype before = header_.size();
        header_ += data.mid(pos, kMaxHeaderBytes + 4 - before);
        const qsizetype end = header_.indexOf("\r\n\r\n");
        if (end < 0) {
            if (header_.size() > kMaxHeaderBytes) return refuse(431, QStringLiteral("request header larger than 8 KiB"));
            return;
        }
        pos += end + 4 - before;
        const QByteArray block = header_.left(end);
        header_.clear();
        if (!onHeader(block)) return;
    }
}

bool RequestGuard::onHeader(const QByteArray &block) {
    const HeaderFields h = parseHeader(block);
    if (!h.wellFormed) {
        refuse(400, QStringLiteral("malformed request header"));
        return false;
    }
    if (!valuesOf(h, "transfer-encoding").isEmpty()) {
        refuse(411, QStringLiteral("a body needs Content-Length"));
        return false;
    }
    const QList<QByteArray> lengths = valuesOf(h, "content-length");
    qint64 length = 0;
    if (lengths.size() > 1) {
        refuse(400, QStringLiteral("more than one Content-Length"));
        return false;
    }
    if (!lengths.isEmpty()) {
        const QByteArray &text = lengths.first();
        bool digits = !text.isEmpty() && text.size() <= 9;
        for (const char c : text) digits = digits && c >= '0' && c <= '9';
        if (!digits) {
            refuse(400, QStringLiteral("bad Content-Length"));
            return false;
        }
        length = text.toLongLong();
    }
    if (length > kMaxBodyBytes) {
        refuse(413, QStringLiteral("request body larger than 16 KiB"));
        return false;
    }
    if (valuesOf(h, "upgrade").value(0).toLower() == "websocket") {
        const RequestFacts facts{h.target, valuesOf(h, "authorization").value(0), valuesOf(h, "origin").value(0),
                                 valuesOf(h, "host").value(0)};
        if (const int status = decide(facts, token_)) {
            refuse(status, status == 401 ? QStringLiteral("token missing or wrong") : QStringLiteral("origin not allowed"));
            return false;
        }
        // From here on the bytes are WebSocket frames, limited by the socket itself.
        state_ = State::Upgraded;
        idle_->stop();
        return false;
    }
    bodyLeft_ = length;
    state_ = length > 0 ? State::Body : State::Header;
    return true;
}

void RequestGuard::refuse(int status, const QString &reason) {
    state_ = State::Closed;
    socket_->readAll();  // the server gets none of it
    socket_->write(errorResponse(status, reason, true));
    socket_->disconnectFromHost();
}

}  // namespace remote
