#include "remote/remote_server.h"

#include "remote/http_reply.h"
#include "remote/request_guard.h"

#include <QBuffer>
#include <cctype>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtHttpServer/QHttpServerRequest>
#include <QtEndian>
#include <QWebSocket>

namespace remote {

namespace {

constexpr int kMaxConnections = 256;
constexpr int kMaxControls = 32;
constexpr int kMaxViewers = 64;

// Every connection is read by a RequestGuard before the HTTP server sees a byte.
class GuardedTcpServer : public QTcpServer {
public:
    GuardedTcpServer(QByteArray token, QObject *parent) : QTcpServer(parent), token_(std::move(token)) {}

protected:
    void incomingConnection(qintptr handle) override {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(handle)) {
            delete socket;
            return;
        }
        // Connections over the limit are closed at once; the ones there keep working.
        if (++open_ > kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            --open_;
            return;
        }
        connect(socket, &QObject::destroyed, this, [this] { --open_; });
        new RequestGuard(socket, token_);
        addPendingConnection(socket);
    }

private:
    QByteArray token_;
    int open_ = 0;
};

QByteArray page(const QString &name) {
    QFile f(QStringLiteral(":/remote/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray stateMessage(const QByteArray &state) { return "{\"type\":\"state\",\"state\":" + state + '}'; }

}  // namespace

RemoteServer::RemoteServer(QString token) : token_(std::move(token)) {
    clock_.start();
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &RemoteServer::onWebSocket);
}

bool RemoteServer::startListening(const QHostAddress &address, quint16 port, QString *error, quint16 *actualPort) {
    auto *tcp = new GuardedTcpServer(token_.toUtf8(), this);
    if (!tcp->listen(address, port)) {
        *error = tcp->errorString();
        delete tcp;
        return false;
    }
    bind(tcp);
    *actualPort = tcp->serverPort();
    return true;
}

void RemoteServer::stopListening() {
    for (QTcpServer *tcp : servers()) tcp->close();
    for (QWebSocket *ws : controls_ + viewers_list_) ws->close();
}

bool RemoteServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) {
    const QUrl url = request.url();
    QByteArray target = url.path(QUrl::FullyEncoded).toUtf8();
    if (url.hasQuery()) target += '?' + url.query(QUrl::FullyEncoded).toUtf8();
    const RequestFacts facts{target, request.value("authorization"), request.value("origin"), request.value("host")};
    // Qt hands an upgrade request over as a WebSocket when this answers true for it
    // (and writes nothing); false gives it the missing handler's 404.
    const bool upgrade = request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
    const QString path = url.path();
    if (const int status = decide(facts, token_.toUtf8())) {
        if (upgrade) return false;
        socket->write(errorResponse(status, status == 401 ? QStringLiteral("token missing or wrong")
                                                          : QStringLiteral("origin not allowed")));
        return true;
    }
    if (upgrade) return path == QLatin1String("/ws") || path == QLatin1String("/ws/board");
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    static const QHash<QString, QString> pages{{QStringLiteral("/"), QStringLiteral("remote.html")},
                                               {QStringLiteral("/board"), QStringLiteral("board.html")}};
    if (pages.contains(path) && get) {
        // The page may talk only to this server; nothing else is fetched or run.
        QByteArray host = request.value("host");
        for (const char c : host)
            if (!std::isalnum(static_cast<unsigned char>(c)) && !QByteArray(".:-[]").contains(c)) host.clear();
        const HeaderList policy{{"Content-Security-Policy",
                                 "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
                                 "img-src blob: data:; connect-src 'self' ws://" + host +
                                     "; base-uri 'none'; form-action 'none'"}};
        socket->write(httpResponse(200, "text/html; charset=utf-8", page(pages.value(path)), policy));
    } else if (path == QLatin1String("/api/state") && get) {
        socket->write(httpResponse(200, "application/json; charset=utf-8", state_));
    } else if (path == QLatin1String("/api/action") && post) {
        takeAction(request.body(), request.remoteAddress().toString(), Pending{socket, nullptr});
    } else if (pages.contains(path) || path.startsWith(QLatin1String("/api/"))) {
        socket->write(errorResponse(405, QStringLiteral("method not allowed here")));
    } else {
        return false;
    }
    return true;
}

void RemoteServer::missingHandler(const QHttpServerRequest &, QTcpSocket *socket) {
    socket->write(errorResponse(404, QStringLiteral("no such page")));
}

void RemoteServer::takeAction(const QByteArray &body, const QString &client, const Pending &to) {
    QString why;
    const auto action = parseAction(body, &why);
    if (!action) return answer(to, 400, why, QByteArray());
    if (!limiter_.allow(client, clock_.elapsed()))
        return answer(to, 429, QStringLiteral("too many actions: at most 10 a second"), QByteArray());
    const qint64 id = nextId_++;
    pending_.insert(id, to);
    emit actionRequested(id, *action);
}

void RemoteServer::onActionDone(qint64 id, int status, const QString &reason, const QByteArray &state, int pending) {
    // The state after the action, so that a request right after the answer sees it.
    if (!state.isEmpty()) state_ = state;
    answer(pending_.take(id), status, reason, state, pending);
}

void RemoteServer::answer(const Pending &to, int status, const QString &reason, const QByteArray &state, int pending) {
    QJsonObject result{{QStringLiteral("status"), status}};
    if (!reason.isEmpty()) result.insert(status == 200 ? QStringLiteral("message") : QStringLiteral("error"), reason);
    if (pending > 0) result.insert(QStringLiteral("pending"), pending);
    if (!state.isEmpty()) result.insert(QStringLiteral("state"), QJsonDocument::fromJson(state).object());
    if (to.http) {
        // A success answers with the new state itself, a refusal with its reason and the state.
        const QByteArray body = status == 200 && reason.isEmpty()
                                    ? state
                                    : QJsonDocument(result).toJson(QJsonDocument::Compact);
        to.http->write(httpResponse(status, "application/json; charset=utf-8", body));
    }
    if (to.ws) {
        result.insert(QStringLiteral("type"), QStringLiteral("result"));
        to.ws->sendTextMessage(QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)));
    }
}

void RemoteServer::onWebSocket() {
    while (hasPendingWebSocketConnections()) {
        QWebSocket *ws = nextPendingWebSocketConnection().release();
        ws->setParent(this);
        ws->setMaxAllowedIncomingMessageSize(RequestGuard::kMaxBodyBytes);
        ws->setMaxAllowedIncomingFrameSize(RequestGuard::kMaxBodyBytes);
        const QString path = ws->requestUrl().path();
        const bool board = path == QLatin1String("/ws/board");
        QList<QWebSocket *> &list = board ? viewers_list_ : controls_;
        if ((path != QLatin1String("/ws") && !board) || list.size() >= (board ? kMaxViewers : kMaxControls)) {
            ws->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("no such channel or too many clients"));
            ws->deleteLater();
            continue;
        }
        list.append(ws);
        connect(ws, &QWebSocket::disconnected, this, [this, ws, board] {
            (board ? viewers_list_ : controls_).removeAll(ws);
            viewers_ = static_cast<int>(viewers_list_.size());
            ws->deleteLater();
        });
        if (board) {
            viewers_ = static_cast<int>(viewers_list_.size());
            emit wholeBoardWanted();
        } else {
            connect(ws, &QWebSocket::textMessageReceived, this,
                    [this, ws](const QString &message) { onControlMessage(ws, message); });
            ws->sendTextMessage(QString::fromUtf8(stateMessage(state_)));
        }
    }
}

void RemoteServer::onControlMessage(QWebSocket *ws, const QString &message) {
    takeAction(message.toUtf8(), ws->peerAddress().toString(), Pending{nullptr, ws});
}

void RemoteServer::onState(const QByteArray &state) {
    state_ = state;
    const QString message = QString::fromUtf8(stateMessage(state));
    for (QWebSocket *ws : std::as_const(controls_)) ws->sendTextMessage(message);
}

void RemoteServer::onBoardPatch(const QImage &patch, const QPoint &at, const QSize &full) {
    if (viewers_list_.isEmpty()) return;
    // Eight bytes of place and size, then the changed part as PNG: encoded once for all.
    QByteArray frame(8, '\0');
    qToBigEndian<quint16>(static_cast<quint16>(at.x()), frame.data());
    qToBigEndian<quint16>(static_cast<quint16>(at.y()), frame.data() + 2);
    qToBigEndian<quint16>(static_cast<quint16>(full.width()), frame.data() + 4);
    qToBigEndian<quint16>(static_cast<quint16>(full.height()), frame.data() + 6);
    QBuffer buffer(&frame);
    buffer.open(QIODevice::Append);
    patch.save(&buffer, "PNG", 80);
    for (QWebSocket *ws : std::as_const(viewers_list_))
        // A viewer that cannot keep up skips pictures rather than piling them up.
        if (ws->bytesToWrite() < 4 * 1024 * 1024) ws->sendBinaryMessage(frame);
        else emit wholeBoardWanted();
}

}  // namespace remote
