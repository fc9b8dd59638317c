#pragma once
// The remote control as a whole: the server in its own thread, the panel driver and
// the board mirror on the window thread, wired together. Off until start().
#include "remote/listen_address.h"

#include <QObject>
#include <QString>

class Autoplay;
class Form1;
class FrmCtl;
class QThread;

namespace remote {

class BoardMirror;
class PanelDriver;
class RemoteServer;

class RemoteControl : public QObject {
    Q_OBJECT
public:
    // Works the control panel's commands and mirrors the board.
    RemoteControl(Form1 &board, FrmCtl &panel, QObject *parent = nullptr);
    ~RemoteControl() override;

    // Starts listening. A non-empty `token` is kept for this and every later start
    // (--remote-token); else each start makes a fresh random one. False with error()
    // when the address cannot be used. A running server is stopped first.
    bool start(const ListenAddress &where, const QString &token);
    void stop();

    // What the "autoplay" action switches (none: the action is not enabled).
    void setAutoplay(Autoplay *autoplay) { autoplay_ = autoplay; }

    bool running() const { return server_ != nullptr; }
    QString error() const { return error_; }
    QString token() const { return token_; }
    // The token given by --remote-token, kept for every later start; empty if none.
    QString fixedToken() const { return fixedToken_; }
    ListenAddress where() const { return where_; }
    // The remote-control page's address with the token, for a phone to open.
    QString pageUrl() const;

signals:
    void runningChanged(bool running);

private:
    Form1 &board_;
    FrmCtl &panel_;
    Autoplay *autoplay_ = nullptr;
    QThread *thread_ = nullptr;
    RemoteServer *server_ = nullptr;
    PanelDriver *driver_ = nullptr;
    BoardMirror *mirror_ = nullptr;
    ListenAddress where_;
    QString token_;
    QString fixedToken_;
    QString error_;
};

}  // namespace remote
