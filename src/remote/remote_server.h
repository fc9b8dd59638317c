#pragma once
// The HTTP and WebSocket server of the remote control. It lives in a thread of its
// own, so a slow or hostile client never holds up the windows; what needs the
// windows goes there as a signal and comes back as one.
//
//   GET  /             the remote-control page        GET  /board   the board mirror page
//   GET  /api/state    the panel's state (JSON)       POST /api/action  {"action": NAME, ...}
//   WS   /ws           state pushes, actions          WS   /ws/board    board pictures
#include "remote/access.h"
#include "remote/connection_slots.h"
#include "remote/http_request.h"
#include "remote/remote_action.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <atomic>

class QTcpServer;

namespace remote {

class RemoteConnection;

class RemoteServer : public QObject {
    Q_OBJECT
public:
    explicit RemoteServer(QString token);

    // Viewers of /board now; read by the window thread to know whether to draw.
    int viewerCount() const { return viewers_.load(); }
    // Connections open now (each holds one of the slots).
    int connectionCount() const { return slots_.open(); }

public slots:
    // Runs in the server thread: listens (port 0: any free port, told in `actualPort`),
    // or says why it cannot.
    bool startListening(const QHostAddress &address, quint16 port, QString *error, quint16 *actualPort);
    void stopListening();

    void onState(const QByteArray &state);
    // `pending`: the message box `reason` is the text of waits for an answer (0: none).
    void onActionDone(qint64 id, int status, const QString &reason, const QByteArray &state, int pending);
    // A changed part of the board at `at`, in a picture of `full` size.
    void onBoardPatch(const QImage &patch, const QPoint &at, const QSize &full);

signals:
    void actionRequested(qint64 id, const remote::RemoteAction &action);
    // A new viewer needs a whole picture.
    void wholeBoardWanted();

private:
    struct Pending {
        QPointer<RemoteConnection> to;
        bool webSocket = false;
    };

    void onIncoming(QTcpServer *tcp);
    void onGone(RemoteConnection *c);
    void onRequest(RemoteConnection *c, const HttpRequest &request);
    void openWebSocket(RemoteConnection *c, const HttpRequest &request, const QByteArray &path);
    // Checks the body and the client's rate, then hands the action over; else answers.
    void takeAction(const QByteArray &body, const Pending &to);
    void answer(const Pending &to, int status, const QString &reason, const QByteArray &state, int pending = 0);

    QString token_;
    QTcpServer *tcp_ = nullptr;
    QList<QByteArray> hosts_;
    ConnectionSlots slots_;
    RateLimiter limiter_{10.0, 20.0};
    QElapsedTimer clock_;
    QByteArray state_ = "{}";
    qint64 nextId_ = 1;
    QHash<qint64, Pending> pending_;
    QList<RemoteConnection *> controls_;
    QList<RemoteConnection *> viewersList_;
    std::atomic<int> viewers_{0};
};

}  // namespace remote
