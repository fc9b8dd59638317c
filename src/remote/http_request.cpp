#include "remote/http_request.h"

namespace remote {

namespace {

HttpParse refused(int status, const QString &reason) { return {HttpParse::Refused, 0, status, reason}; }

bool isTokenChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           QByteArray("!#$%&'*+-.^_`|~").contains(c);
}

// The request line and the fields; false on anything malformed.
bool parseHeader(const QByteArray &block, HttpRequest *out) {
    const QList<QByteArray> lines = block.split('\n');
    QByteArray first = lines.value(0);
    if (first.endsWith('\r')) first.chop(1);
    const QList<QByteArray> parts = first.split(' ');
    if (parts.size() != 3 || parts[0].isEmpty() || parts[1].isEmpty()) return false;
    for (const char c : parts[0])
        if (!isTokenChar(c)) return false;
    for (const char c : parts[1])
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) return false;
    if (parts[2] != "HTTP/1.1" && parts[2] != "HTTP/1.0") return false;
    out->method = parts[0];
    out->target = parts[1];
    out->version = parts[2];
    out->fields.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        // Continuation lines are obsolete and ambiguous: refused rather than guessed.
        const qsizetype colon = line.indexOf(':');
        if (line.startsWith(' ') || line.startsWith('\t') || colon <= 0) return false;
        const QByteArray name = line.left(colon).toLower();
        for (const char c : name)
            if (!isTokenChar(c)) return false;
        const QByteArray value = line.mid(colon + 1).trimmed();
        for (const char c : value)
            if (c == '\r' || c == '\0') return false;
        out->fields.append({name, value});
    }
    return true;
}

}  // namespace

QByteArray HttpRequest::value(const char *name) const {
    for (const auto &[key, v] : fields)
        if (key == name) return v;
    return {};
}

bool HttpRequest::hasToken(const char *name, const char *token) const {
    for (const auto &[key, v] : fields)
        if (key == name)
            for (const QByteArray &item : v.split(','))
                if (item.trimmed().compare(token, Qt::CaseInsensitive) == 0) return true;
    return false;
}

bool HttpRequest::keepAlive() const {
    if (hasToken("connection", "close")) return false;
    return version == "HTTP/1.1" || hasToken("connection", "keep-alive");
}

bool HttpRequest::isWebSocketUpgrade() const {
    return method == "GET" && version == "HTTP/1.1" && hasToken("upgrade", "websocket") &&
           hasToken("connection", "upgrade");
}

HttpParse parseRequest(const QByteArray &data, HttpRequest *out) {
    // Blank lines before a request are allowed (RFC 9112) and skipped.
    qsizetype start = 0;
    while (start + 1 < data.size() && data[start] == '\r' && data[start + 1] == '\n') start += 2;
    const qsizetype end = data.indexOf("\r\n\r\n", start);
    if ((end < 0 && data.size() - start > kMaxHeaderBytes + 3) || end - start > kMaxHeaderBytes)
        return refused(431, QStringLiteral("request header larger than 8 KiB"));
    if (end < 0) return {};
    if (!parseHeader(data.mid(start, end - start), out)) return refused(400, QStringLiteral("malformed request header"));
    qsizetype lengths = 0;
    for (const auto &field : out->fields) {
        if (field.first == "transfer-encoding") return refused(411, QStringLiteral("a body needs Content-Length"));
        lengths += field.first == "content-length";
    }
    if (lengths > 1) return refused(400, QStringLiteral("more than one Content-Length"));
    qint64 length = 0;
    if (lengths == 1) {
        const QByteArray text = out->value("content-length");
        bool digits = !text.isEmpty() && text.size() <= 9;
        for (const char c : text) digits = digits && c >= '0' && c <= '9';
        if (!digits) return refused(400, QStringLiteral("bad Content-Length"));
        length = text.toLongLong();
    }
    if (length > kMaxBodyBytes) return refused(413, QStringLiteral("request body larger than 16 KiB"));
    if (out->version == "HTTP/1.1" && out->value("host").isEmpty())
        return refused(400, QStringLiteral("a request needs Host"));
    const qsizetype bodyStart = end + 4;
    if (data.size() - bodyStart < length) return {};
    out->body = data.mid(bodyStart, length);
    return {HttpParse::Complete, bodyStart + length, 0, QString()};
}

}  // namespace remote
