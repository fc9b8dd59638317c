#pragma once
// One HTTP/1.1 request read off the front of a connection's bytes, within the
// server's limits: a header block of at most 8 KiB, a body of at most 16 KiB given by
// Content-Length (chunked bodies are refused). Anything that cannot be framed for
// sure is refused with a status, and the connection ends there, so the server never
// guesses where a request stops. Pure rules, no sockets.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace remote {

struct HttpRequest {
    QByteArray method;
    QByteArray target;   // as sent: "/api/state?token=..."
    QByteArray version;  // "HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> fields;  // names in lower case
    QByteArray body;

    // The first value of the field `name` (lower case), empty when absent.
    QByteArray value(const char *name) const;
    // True when the comma-separated field `name` holds `token` (case-insensitive).
    bool hasToken(const char *name, const char *token) const;
    // The connection stays open after the answer (HTTP/1.1 unless "Connection: close").
    bool keepAlive() const;
    // A WebSocket opening handshake as RFC 6455 has it: GET, "Upgrade: websocket" and
    // "Connection: Upgrade". Anything else is an ordinary request.
    bool isWebSocketUpgrade() const;
};

struct HttpParse {
    enum Outcome { NeedMore, Complete, Refused } outcome = NeedMore;
    qsizetype consumed = 0;  // bytes of the request (header and body) when Complete
    int status = 0;          // when Refused
    QString reason;
};

inline constexpr int kMaxHeaderBytes = 8 * 1024;
inline constexpr int kMaxBodyBytes = 16 * 1024;

// Reads one request from the start of `data` into `out`.
HttpParse parseRequest(const QByteArray &data, HttpRequest *out);

}  // namespace remote
