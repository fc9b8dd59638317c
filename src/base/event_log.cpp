#include "base/event_log.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

struct Log {
    QElapsedTimer clock;
    QJsonArray items;
    bool kept = true;
    qsizetype limit = 100000;
    Log() { clock.start(); }
};

Log &log() {
    static Log l;
    return l;
}

}  // namespace

namespace events {

void record(const QString &kind, QJsonObject fields) {
    Log &l = log();
    if (!l.kept) return;
    if (l.items.size() >= l.limit) {
        QJsonArray newer;
        for (qsizetype i = l.items.size() - l.limit / 2; i < l.items.size(); ++i) newer.append(l.items.at(i));
        l.items = newer;
    }
    fields.insert(QStringLiteral("ms"), elapsedMs());
    fields.insert(QStringLiteral("kind"), kind);
    log().items.append(fields);
}

QJsonArray all() { return log().items; }

void setKept(bool kept) {
    log().kept = kept;
    if (!kept) log().items = QJsonArray();
}

void setLimit(qsizetype count) { log().limit = std::max<qsizetype>(count, 2); }

qint64 elapsedMs() { return log().clock.elapsed(); }

}  // namespace events
