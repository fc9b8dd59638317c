#pragma once
// The window-thread side of the remote control: carries out actions on the control
// panel's own buttons, exactly as a mouse click would (disabled states, sounds and
// all), and reports the panel's state. While the program holds the operator's input
// back (the route-selecting pause, a synchronous sound) actions wait, as the
// scripted operation does; an action that is disabled now is answered 409.
#include "remote/remote_action.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <deque>

class QTimer;

namespace remote {

class PanelDriver : public QObject {
    Q_OBJECT
public:
    explicit PanelDriver(QObject *parent = nullptr);

    // The state as GET /api/state answers it.
    static QByteArray stateJson();

public slots:
    // Queues the action; `done` follows once it was carried out or refused.
    void request(qint64 id, const remote::RemoteAction &action);

signals:
    // status 200 (state = the new state; message = a message box the action showed),
    // 409 (disabled now) or 503 (the program stayed busy too long).
    void done(qint64 id, int status, const QString &reason, const QByteArray &state);
    // Whenever the state differs from the last one sent.
    void stateChanged(const QByteArray &state);

private:
    struct Pending {
        qint64 id;
        RemoteAction action;
        qint64 queuedMs;
    };

    void process();
    void pollState();

    std::deque<Pending> queue_;
    QTimer *retry_;
    QTimer *poll_;
    QElapsedTimer clock_;
    QByteArray lastState_;
};

}  // namespace remote
