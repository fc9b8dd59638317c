#include "remote/remote_control.h"

#include "board/form1.h"
#include "remote/access.h"
#include "remote/board_mirror.h"
#include "remote/panel_driver.h"
#include "remote/remote_server.h"

#include <QCoreApplication>
#include <QNetworkInterface>
#include <QThread>

static void registerPages() { Q_INIT_RESOURCE(remote); }

namespace remote {

namespace {

// The address a phone on the network would use when the server listens on all of them.
QString shownHost(const QHostAddress &address) {
    QHostAddress shown = address;
    if (address == QHostAddress(QHostAddress::Any) || address == QHostAddress(QHostAddress::AnyIPv4)) {
        shown = QHostAddress(QHostAddress::LocalHost);
        for (const QHostAddress &a : QNetworkInterface::allAddresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) {
                shown = a;
                break;
            }
    } else if (address == QHostAddress(QHostAddress::AnyIPv6)) {
        shown = QHostAddress(QHostAddress::LocalHostIPv6);
    }
    return urlHost(shown);
}

}  // namespace

RemoteControl::RemoteControl(Form1 &board, FrmCtl &panel, QObject *parent)
    : QObject(parent), board_(board), panel_(panel) {
    registerPages();
}

RemoteControl::~RemoteControl() { stop(); }

bool RemoteControl::start(const ListenAddress &where, const QString &token) {
    stop();
    if (!token.isEmpty()) fixedToken_ = token;
    token_ = fixedToken_.isEmpty() ? makeToken() : fixedToken_;
    where_ = where;
    error_.clear();

    thread_ = new QThread(this);
    thread_->setObjectName(QStringLiteral("remote"));
    thread_->start();
    // The server is made inside its thread, where its connections live.
    auto *anchor = new QObject;
    anchor->moveToThread(thread_);
    bool listening = false;
    QString why;
    QMetaObject::invokeMethod(
        anchor,
        [&] {
            server_ = new RemoteServer(token_);
            listening = server_->startListening(where.address, where.port, &why, &where_.port);
        },
        Qt::BlockingQueuedConnection);
    anchor->deleteLater();
    if (!listening) {
        error_ = QStringLiteral("cannot listen on %1:%2: %3").arg(where.address.toString()).arg(where.port).arg(why);
        stop();
        return false;
    }

    driver_ = new PanelDriver(board_, panel_, this);
    driver_->setAutoplay(autoplay_);
    RemoteServer *server = server_;
    mirror_ = new BoardMirror(board_.face(), [server] { return server->viewerCount(); }, this);
    connect(server_, &RemoteServer::actionRequested, driver_, &PanelDriver::request);
    connect(driver_, &PanelDriver::done, server_, &RemoteServer::onActionDone);
    connect(driver_, &PanelDriver::stateChanged, server_, &RemoteServer::onState);
    connect(server_, &RemoteServer::wholeBoardWanted, mirror_, &BoardMirror::sendWhole);
    connect(mirror_, &BoardMirror::patch, server_, &RemoteServer::onBoardPatch);
    QMetaObject::invokeMethod(server_, [server, state = driver_->stateJson()] { server->onState(state); });
    emit runningChanged(true);
    return true;
}

void RemoteControl::stop() {
    if (!thread_) return;
    delete mirror_;
    delete driver_;
    mirror_ = nullptr;
    driver_ = nullptr;
    if (server_) {
        RemoteServer *server = server_;
        QMetaObject::invokeMethod(
            server,
            [server] {
                server->stopListening();
                delete server;
            },
            Qt::BlockingQueuedConnection);
    }
    thread_->quit();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    const bool was = server_ != nullptr;
    server_ = nullptr;
    if (was) emit runningChanged(false);
}

QString RemoteControl::pageUrl() const {
    return pageAddress(shownHost(where_.address), where_.port, token_);
}

}  // namespace remote
