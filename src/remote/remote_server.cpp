#include "remote/remote_server.h"

#include "remote/http_reply.h"
#include "remote/remote_connection.h"
#include "remote/websocket_frames.h"

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

namespace remote {

namespace {

constexpr int kMaxControls = 32;
constexpr int kMaxViewers = 64;

QByteArray page(const QString &name) {
    QFile f(QStringLiteral(":/remote/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray stateMessage(const QByteArray &state) { return "{\"type\":\"state\",\"state\":" + state + '}'; }

}  // namespace

RemoteServer::RemoteServer(QString token) : token_(std::move(token)) { clock_.start(); }

bool RemoteServer::startListening(const QHostAddress &address, quint16 port, QString *error, quint16 *actualPort) {
    auto *tcp = new QTcpServer(this);
    if (!tcp->listen(address, port)) {
        *error = tcp->errorString();
        delete tcp;
        return false;
    }
    tcp_ = tcp;
    *actualPort = tcp->serverPort();
    hosts_ = allowedHosts(address, tcp->serverPort(), QNetworkInterface::allAddresses());
    connect(tcp, &QTcpServer::newConnection, this, [this, tcp] { onIncoming(tcp); });
    return true;
}

void RemoteServer::stopListening() {
    if (tcp_) tcp_->close();
    for (RemoteConnection *c : controls_ + viewersList_) c->closeWebSocket(ws::GoingAway, "server stopped");
}

void RemoteServer::onIncoming(QTcpServer *tcp) {
    while (QTcpSocket *socket = tcp->nextPendingConnection()) {
        const QString peer = socket->peerAddress().toString();
        // Connections over the limits are cut at once; the ones there keep working.
        if (!slots_.take(peer)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *c = new RemoteConnection(socket, this);
        connect(c, &RemoteConnection::finished, this, [this, peer](RemoteConnection *gone) {
            slots_.give(peer);
            onGone(gone);
        });
        connect(c, &RemoteConnection::requestReceived, this, &RemoteServer::onRequest);
        connect(c, &RemoteConnection::messageReceived, this, [this](RemoteConnection *from, const QByteArray &text) {
            takeAction(text, Pending{from, true});
        });
    }
}

void RemoteServer::onGone(RemoteConnection *c) {
    controls_.removeAll(c);
    viewersList_.removeAll(c);
    viewers_ = static_cast<int>(viewersList_.size());
}

void RemoteServer::onRequest(RemoteConnection *c, const HttpRequest &request) {
    const RequestFacts facts{request.target, request.value("authorization"), request.value("origin"),
                             request.value("host")};
    const bool upgrade = request.isWebSocketUpgrade();
    const bool close = !c->keepAlive();
    if (const int status = decide(facts, token_.toUtf8(), hosts_))
        return c->reply(errorResponse(status, refusalReason(status), close));
    const QByteArray path = targetPath(request.target);
    if (upgrade) return openWebSocket(c, request, path);
    const bool get = request.method == "GET";
    const bool post = request.method == "POST";
    static const QHash<QByteArray, QString> pages{{QByteArrayLiteral("/"), QStringLiteral("remote.html")},
                                                  {QByteArrayLiteral("/board"), QStringLiteral("board.html")}};
    if (pages.contains(path) && get) {
        // The page may talk only to this server (whose Host was checked above);
        // nothing else is fetched or run.
        const HeaderList policy{{"Content-Security-Policy",
                                 "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
                                 "img-src blob: data:; connect-src 'self' ws://" + facts.host +
                                     "; base-uri 'none'; form-action 'none'"}};
        c->reply(httpResponse(200, "text/html; charset=utf-8", page(pages.value(path)), policy, close));
    } else if (path == "/api/state" && get) {
        c->reply(httpResponse(200, "application/json; charset=utf-8", state_, {}, close));
    } else if (path == "/api/action" && post) {
        takeAction(request.body, Pending{c, false});
    } else if (pages.contains(path) || path.startsWith("/api/") || path.startsWith("/ws")) {
        c->reply(errorResponse(path.startsWith("/ws") ? 400 : 405,
                               path.startsWith("/ws") ? QStringLiteral("a WebSocket handshake is needed here")
                                                      : QStringLiteral("method not allowed here"),
                               close));
    } else {
        c->reply(errorResponse(404, QStringLiteral("no such page"), close));
    }
}

void RemoteServer::openWebSocket(RemoteConnection *c, const HttpRequest &request, const QByteArray &path) {
    const bool board = path == "/ws/board";
    if (!board && path != "/ws") return c->reply(errorResponse(404, QStringLiteral("no such channel"), true));
    if (request.value("sec-websocket-version") != "13")
        return c->reply(httpResponse(426, "text/plain", "WebSocket version 13 only", {{"Sec-WebSocket-Version", "13"}}, true));
    if (!ws::validKey(request.value("sec-websocket-key")))
        return c->reply(errorResponse(400, QStringLiteral("bad Sec-WebSocket-Key"), true));
    c->acceptWebSocket(request);
    QList<RemoteConnection *> &list = board ? viewersList_ : controls_;
    if (list.size() >= (board ? kMaxViewers : kMaxControls))
        return c->closeWebSocket(ws::PolicyViolated, "too many clients");
    list.append(c);
    if (board) {
        viewers_ = static_cast<int>(viewersList_.size());
        emit wholeBoardWanted();
    } else {
        c->sendText(stateMessage(state_));
    }
}

void RemoteServer::takeAction(const QByteArray &body, const Pending &to) {
    QString why;
    const auto action = parseAction(body, &why);
    if (!action) return answer(to, 400, why, QByteArray());
    if (!limiter_.allow(to.to ? to.to->peer() : QString(), clock_.elapsed()))
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
    if (!to.to) return;  // the client has gone meanwhile
    QJsonObject result{{QStringLiteral("status"), status}};
    if (!reason.isEmpty()) result.insert(status == 200 ? QStringLiteral("message") : QStringLiteral("error"), reason);
    if (pending > 0) result.insert(QStringLiteral("pending"), pending);
    if (!state.isEmpty()) result.insert(QStringLiteral("state"), QJsonDocument::fromJson(state).object());
    if (to.webSocket) {
        result.insert(QStringLiteral("type"), QStringLiteral("result"));
        return to.to->sendText(QJsonDocument(result).toJson(QJsonDocument::Compact));
    }
    // A success answers with the new state itself, a refusal with its reason and the state.
    const QByteArray body =
        status == 200 && reason.isEmpty() ? state : QJsonDocument(result).toJson(QJsonDocument::Compact);
    to.to->reply(httpResponse(status, "application/json; charset=utf-8", body, {}, !to.to->keepAlive()));
}

void RemoteServer::onState(const QByteArray &state) {
    state_ = state;
    const QByteArray message = stateMessage(state);
    for (RemoteConnection *c : std::as_const(controls_)) c->sendText(message);
}

void RemoteServer::onBoardPatch(const QImage &patch, const QPoint &at, const QSize &full) {
    if (viewersList_.isEmpty()) return;
    // Eight bytes of place and size, then the changed part as PNG: encoded once for all.
    QByteArray frame(8, '\0');
    qToBigEndian<quint16>(static_cast<quint16>(at.x()), frame.data());
    qToBigEndian<quint16>(static_cast<quint16>(at.y()), frame.data() + 2);
    qToBigEndian<quint16>(static_cast<quint16>(full.width()), frame.data() + 4);
    qToBigEndian<quint16>(static_cast<quint16>(full.height()), frame.data() + 6);
    QBuffer buffer(&frame);
    buffer.open(QIODevice::Append);
    patch.save(&buffer, "PNG", 80);
    for (RemoteConnection *c : std::as_const(viewersList_))
        // A viewer that cannot keep up skips pictures rather than piling them up.
        if (c->bytesToWrite() < 4 * 1024 * 1024) c->sendBinary(frame);
        else emit wholeBoardWanted();
}

}  // namespace remote
