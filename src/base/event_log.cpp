#include "base/event_log.h"

#include <QElapsedTimer>

namespace {

struct Log {
    QElapsedTimer clock;
    QJsonArray items;
    Log() { clock.start(); }
};

Log &log() {
    static Log l;
    return l;
}

}  // namespace

namespace events {

void record(const QString &kind, QJsonObject fields) {
    fields.insert(QStringLiteral("ms"), elapsedMs());
    fields.insert(QStringLiteral("kind"), kind);
    log().items.append(fields);
}

QJsonArray all() { return log().items; }

qint64 elapsedMs() { return log().clock.elapsed(); }

}  // namespace events
