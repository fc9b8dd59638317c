#include "remote/http_reply.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace remote {

namespace {

const char *reasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 409: return "Conflict";
    case 411: return "Length Required";
    case 413: return "Content Too Large";
    case 421: return "Misdirected Request";
    case 426: return "Upgrade Required";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

}  // namespace

QByteArray httpResponse(int status, const QByteArray &contentType, const QByteArray &body, const HeaderList &extra,
                        bool closeAfter) {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    // The pages and answers are live: never kept by a browser, never shown inside another site.
    out += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nX-Frame-Options: DENY\r\n"
           "Referrer-Policy: no-referrer\r\n";
    if (status == 401) out += "WWW-Authenticate: Bearer\r\n";
    for (const auto &[key, value] : extra) out += key + ": " + value + "\r\n";
    if (closeAfter) out += "Connection: close\r\n";
    out += "\r\n";
    out += body;
    return out;
}

QByteArray errorResponse(int status, const QString &reason, bool closeAfter) {
    const QByteArray body = QJsonDocument(QJsonObject{{QStringLiteral("error"), reason}}).toJson(QJsonDocument::Compact);
    return httpResponse(status, "application/json; charset=utf-8", body, {}, closeAfter);
}

}  // namespace remote
