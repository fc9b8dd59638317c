#pragma once
// The window-thread side of the remote control: carries out actions through the
// control panel's commands, exactly as a click on their buttons would (disabled
// states, sounds and all), and reports the panel's state. While the program holds the
// operator's input back (the route-selecting pause, a synchronous sound) actions
// wait, as the scripted operation does; an action that is disabled now is answered
// 409. An action that opens a message box is answered at once with the box's text
// and its id ("pending"); the box is then answered by the "answer" action, or by a
// person at the computer.
#include "panel/msg_box.h"
#include "remote/remote_action.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <deque>
#include <optional>

class Autoplay;
class Form1;
class FrmCtl;
class QTimer;

namespace remote {

class PanelDriver : public QObject {
    Q_OBJECT
public:
    PanelDriver(const Form1 &board, FrmCtl &panel, QObject *parent = nullptr);

    // The state as GET /api/state answers it.
    QByteArray stateJson() const;

    // What the "autoplay" action switches; any other action switches it off, as the
    // operator's own input does. None: "autoplay" is not enabled.
    void setAutoplay(Autoplay *autoplay) { autoplay_ = autoplay; }

public slots:
    // Queues the action; `done` follows once it was carried out, refused, or showed
    // a message box.
    void request(qint64 id, const remote::RemoteAction &action);

signals:
    // status 200 (state = the new state; message = the text of a message box the
    // action opened, `pending` its id while it waits for an answer), 409 (disabled
    // now) or 503 (the program stayed busy too long).
    void done(qint64 id, int status, const QString &reason, const QByteArray &state, int pending);
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
    bool enabled(const RemoteAction &a) const;
    bool perform(const RemoteAction &a);
    bool enterRoute(const RemoteAction &a);
    void onBoxOpened(const msgbox::Notifier::Open &box);

    const Form1 &board_;
    FrmCtl &panel_;
    Autoplay *autoplay_ = nullptr;
    std::deque<Pending> queue_;
    // The request being carried out and not answered yet.
    std::optional<qint64> acting_;
    QTimer *retry_;
    QTimer *poll_;
    QTimer *push_;  // one state sent for all the session's changes of one turn
    QElapsedTimer clock_;
    QByteArray lastState_;
};

}  // namespace remote
