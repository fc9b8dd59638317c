#include "remote/remote_action.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace remote {

namespace {

bool digitsOnly(const QString &text) {
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// A text of at most `max` digits, as the keypad display would hold it.
std::optional<QString> keypadText(const QJsonObject &o, const char *key, int min, int max, QString *error) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isString() || !digitsOnly(v.toString()) || v.toString().size() < min || v.toString().size() > max) {
        *error = QStringLiteral("\"%1\" must be a text of %2 to %3 digits").arg(QLatin1String(key)).arg(min).arg(max);
        return std::nullopt;
    }
    return v.toString();
}

}  // namespace

const QStringList &actionNames() {
    static const QStringList names{QStringLiteral("route"),        QStringLiteral("forward"),
                                   QStringLiteral("back"),         QStringLiteral("blank"),
                                   QStringLiteral("lateNight"),    QStringLiteral("backlight"),
                                   QStringLiteral("announceNext"), QStringLiteral("announceBack"),
                                   QStringLiteral("announceStop"), QStringLiteral("answer")};
    return names;
}

std::optional<RemoteAction> parseAction(const QByteArray &body, QString *error) {
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("the body must be a JSON object");
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    RemoteAction a;
    a.name = o.value(QStringLiteral("action")).toString();
    if (a.name == QLatin1String("autoplay")) {
        // The trip running by itself: not a button of the panel, so not in `enabled`.
        const QJsonValue on = o.value(QStringLiteral("on")), interval = o.value(QStringLiteral("interval"));
        if (!on.isBool() || (!interval.isUndefined() && (!interval.isDouble() || interval.toDouble() != interval.toInt(-1) ||
                                                         interval.toInt() < 1 || interval.toInt() > 3600))) {
            *error = QStringLiteral("autoplay takes \"on\": true or false and \"interval\": seconds from 1 to 3600");
            return std::nullopt;
        }
        a.on = on.toBool();
        if (interval.isDouble()) a.interval = interval.toInt();
        return a;
    }
    if (!actionNames().contains(a.name)) {
        *error = QStringLiteral("\"action\" must be one of: %1").arg(actionNames().join(QStringLiteral(", ")));
        return std::nullopt;
    }
    if (a.name == QLatin1String("route")) {
        const auto route = keypadText(o, "route", 1, 5, error);
        const auto section = route ? keypadText(o, "section", 0, 3, error) : std::nullopt;
        if (!section) return std::nullopt;
        a.route = *route;
        a.section = *section;
    } else if (a.name == QLatin1String("backlight")) {
        const QJsonValue level = o.value(QStringLiteral("level"));
        if (!level.isDouble() || level.toDouble() != level.toInt(-1) || level.toInt() < 0 || level.toInt() > 2) {
            *error = QStringLiteral("\"level\" must be 0, 1 or 2");
            return std::nullopt;
        }
        a.level = level.toInt();
    } else if (a.name == QLatin1String("answer")) {
        const QJsonValue button = o.value(QStringLiteral("button"));
        const QJsonValue pending = o.value(QStringLiteral("pending"));
        if (!button.isString() || button.toString().isEmpty()) {
            *error = QStringLiteral("\"button\" must name the message's button, e.g. \"OK\"");
            return std::nullopt;
        }
        if (!pending.isUndefined() && (!pending.isDouble() || pending.toDouble() != pending.toInt(-1) || pending.toInt() < 1)) {
            *error = QStringLiteral("\"pending\" must be the message's id, a whole number from 1");
            return std::nullopt;
        }
        a.button = button.toString();
        a.pending = pending.toInt(0);
    } else if (o.contains(QStringLiteral("on"))) {
        if (!o.value(QStringLiteral("on")).isBool() ||
            (a.name != QLatin1String("blank") && a.name != QLatin1String("lateNight"))) {
            *error = QStringLiteral("\"on\" is true or false, for blank and lateNight only");
            return std::nullopt;
        }
        a.on = o.value(QStringLiteral("on")).toBool();
    }
    return a;
}

}  // namespace remote
