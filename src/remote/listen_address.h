#pragma once
// Where the remote-control server listens, as given after --remote: "PORT",
// "ADDRESS:PORT" or "[IPv6]:PORT". A bare port means the loopback address: the
// network is reached only when an address is named. Port 0 takes any free port.
#include <QHostAddress>
#include <QString>

namespace remote {

struct ListenAddress {
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 0;
    QString error;  // empty when the text was understood
};

ListenAddress parseListenAddress(const QString &text);

// True when only this computer can reach the address.
bool isLoopbackOnly(const QHostAddress &address);

}  // namespace remote
