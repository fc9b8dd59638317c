#include "remote/listen_address.h"
#include "base/message_language.h"

namespace remote {

namespace {

bool parsePort(const QString &text, quint16 &port) {
    if (text.isEmpty() || text.size() > 5) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    const int value = text.toInt();
    if (value > 65535) return false;
    port = static_cast<quint16>(value);
    return true;
}

}  // namespace

ListenAddress parseListenAddress(const QString &text) {
    ListenAddress out;
    QString host;
    QString portText = text;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(QStringLiteral("]:"));
        if (close < 0) {
            out.error = message_language::pick("--remote: \"%1\" is not [ADDRESS]:PORT", "--remote: 「%1」は [アドレス]:ポート ではありません").arg(text);
            return out;
        }
        host = text.mid(1, close - 1);
        portText = text.mid(close + 2);
    } else if (const qsizetype colon = text.lastIndexOf(u':'); colon >= 0) {
        host = text.left(colon);
        portText = text.mid(colon + 1);
    }
    if (!parsePort(portText, out.port)) {
        out.error = message_language::pick("--remote: \"%1\" is not a port number 0..65535", "--remote: 「%1」は0～65535のポート番号ではありません").arg(portText);
        return out;
    }
    if (host.isEmpty()) return out;
    if (host == QLatin1String("localhost")) return out;
    QHostAddress address;
    if (!address.setAddress(host)) {
        out.error = message_language::pick("--remote: \"%1\" is not an IP address", "--remote: 「%1」はIPアドレスではありません").arg(host);
        return out;
    }
    out.address = address;
    return out;
}

bool isLoopbackOnly(const QHostAddress &address) { return address.isLoopback(); }

}  // namespace remote
