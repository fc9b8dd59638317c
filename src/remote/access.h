#pragma once
// Who may use the remote-control server: every request and every WebSocket carries
// the token (an "Authorization: Bearer TOKEN" header or "?token=TOKEN" in the URL),
// and a browser page of another site (its Origin) is turned away. Pure rules, used
// by the server thread.
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QString>

namespace remote {

// A fresh random token: 128 bits, URL-safe text.
QString makeToken();

struct RequestFacts {
    QByteArray target;         // the request line's target: "/api/state?token=..."
    QByteArray authorization;  // the Authorization header, empty when absent
    QByteArray origin;         // the Origin header, empty when absent
    QByteArray host;           // the Host header
};

// 0 when the request may go on; else the status to answer with: 421 when the Host is
// not one of `hosts` (a page of another name that resolves to this machine, as DNS
// rebinding does it, is not this server's own), 401 without the right token, 403 with
// an Origin that is not this server's own page.
int decide(const RequestFacts &facts, const QByteArray &token, const QList<QByteArray> &hosts);
// Why decide() refused, for the answer's "error".
QString refusalReason(int status);

// The Host values a browser sends to a server listening on `address`:`port`: that
// address, "localhost", and for an address of every interface the machine's own
// (`machine`). Lower case, with the port (and without it for port 80).
QList<QByteArray> allowedHosts(const QHostAddress &address, quint16 port, const QList<QHostAddress> &machine);

// An address as it goes into a URL: IPv6 in brackets, its zone percent-encoded.
QString urlHost(const QHostAddress &address);
// The remote-control page's address with the token, percent-encoded so that any
// token reads back exactly.
QString pageAddress(const QString &host, quint16 port, const QString &token);

// The target's path without its query ("/api/state").
QByteArray targetPath(const QByteArray &target);

// Actions per client: a bucket of `burst` actions refilled at `perSecond`.
class RateLimiter {
public:
    RateLimiter(double perSecond, double burst) : rate_(perSecond), burst_(burst) {}
    // True when the client at `who` may act at time `nowMs` (which only grows).
    bool allow(const QString &who, qint64 nowMs);

private:
    struct Bucket {
        double level = 0;
        qint64 atMs = 0;
    };
    double rate_;
    double burst_;
    QHash<QString, Bucket> buckets_;
};

}  // namespace remote
