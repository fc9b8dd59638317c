#include "remote/access.h"

#include <QRandomGenerator>
#include <QUrlQuery>

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
    const QUrlQuery query(QString::fromLatin1(target.mid(q + 1)));
    return query.queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded).toUtf8();
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

int decide(const RequestFacts &facts, const QByteArray &token) {
    if (!sameSecret(bearerToken(facts.authorization), token) && !sameSecret(queryToken(facts.target), token)) return 401;
    // A page of this server sends its own origin; other pages are refused even with
    // the token, so that a link on a foreign site cannot act through a viewer's browser.
    if (!facts.origin.isEmpty() && facts.origin != "http://" + facts.host) return 403;
    return 0;
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
