#include "remote/access.h"

#include <QRandomGenerator>
#include <QUrl>

namespace remote {

namespace {

// Compares without stopping at the first difference, so the time taken tells nothing.
bool sameSecret(const QByteArray &a, const QByteArray &b) {
    if (a.size() != b.size() || a.isEmpty()) return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

QByteArray queryToken(const QByteArray &target) {
    const qsizetype q = target.indexOf('?');
    if (q < 0) return {};
    // Percent-decoded as the page's address encodes it; "+" is a plus, not a space.
    for (const QByteArray &item : target.mid(q + 1).split('&'))
        if (item.startsWith("token=")) return QByteArray::fromPercentEncoding(item.mid(6));
    return {};
}

QByteArray bearerToken(const QByteArray &authorization) {
    static const QByteArray kBearer = "bearer ";
    if (authorization.size() <= kBearer.size() || authorization.left(kBearer.size()).toLower() != kBearer) return {};
    return authorization.mid(kBearer.size()).trimmed();
}

}  // namespace

QString makeToken() {
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray raw(reinterpret_cast<const char *>(words), sizeof words);
    return QString::fromLatin1(raw.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QByteArray targetPath(const QByteArray &target) {
    const qsizetype q = target.indexOf('?');
    return q < 0 ? target : target.left(q);
}

int decide(const RequestFacts &facts, const QByteArray &token, const QList<QByteArray> &hosts) {
    if (!hosts.contains(facts.host.toLower())) return 421;
    if (!sameSecret(bearerToken(facts.authorization), token) && !sameSecret(queryToken(facts.target), token)) return 401;
    // A page of this server sends its own origin; other pages are refused even with
    // the token, so that a link on a foreign site cannot act through a viewer's browser.
    if (!facts.origin.isEmpty() && facts.origin != "http://" + facts.host) return 403;
    return 0;
}

QString refusalReason(int status) {
    switch (status) {
    case 421: return QStringLiteral("this server does not answer to that Host");
    case 401: return QStringLiteral("token missing or wrong");
    default: return QStringLiteral("origin not allowed");
    }
}

QString urlHost(const QHostAddress &address) {
    QString text = address.toString();
    if (address.protocol() != QAbstractSocket::IPv6Protocol) return text;
    return QLatin1Char('[') + text.replace(QLatin1Char('%'), QLatin1String("%25")) + QLatin1Char(']');
}

QList<QByteArray> allowedHosts(const QHostAddress &address, quint16 port, const QList<QHostAddress> &machine) {
    QList<QHostAddress> own;
    const bool anyV4 = address == QHostAddress(QHostAddress::AnyIPv4) || address == QHostAddress(QHostAddress::Any);
    const bool anyV6 = address == QHostAddress(QHostAddress::AnyIPv6) || address == QHostAddress(QHostAddress::Any);
    if (!anyV4 && !anyV6) own.append(address);
    for (const QHostAddress &a : machine) {
        const bool v4 = a.protocol() == QAbstractSocket::IPv4Protocol;
        if ((v4 && anyV4) || (!v4 && anyV6)) own.append(a);
    }
    QList<QByteArray> names{QByteArrayLiteral("localhost")};
    for (const QHostAddress &a : std::as_const(own)) names.append(urlHost(a).toLower().toUtf8());
    QList<QByteArray> out;
    for (const QByteArray &name : std::as_const(names)) {
        out.append(name + ':' + QByteArray::number(port));
        if (port == 80) out.append(name);
    }
    return out;
}

QString pageAddress(const QString &host, quint16 port, const QString &token) {
    return QStringLiteral("http://%1:%2/?token=%3").arg(host).arg(port).arg(QString::fromLatin1(QUrl::toPercentEncoding(token)));
}

bool RateLimiter::allow(const QString &who, qint64 nowMs) {
    auto it = buckets_.find(who);
    if (it == buckets_.end()) {
        // Forget clients that have been quiet long enough to be full again.
        if (buckets_.size() > 1024) buckets_.clear();
        it = buckets_.insert(who, Bucket{burst_, nowMs});
    }
    Bucket &b = *it;
    b.level = std::min(burst_, b.level + (nowMs - b.atMs) * rate_ / 1000.0);
    b.atMs = nowMs;
    if (b.level < 1.0) return false;
    b.level -= 1.0;
    return true;
}

}  // namespace remote
