#include "ticket/ticket_template.h"

#include <QDate>
#include <QTime>
#include <functional>

namespace ticket {
namespace {

enum class Kind { Text, Number, Date, Time };

Kind kindOf(const QString &name) {
    if (name == QLatin1String("date")) return Kind::Date;
    if (name == QLatin1String("time")) return Kind::Time;
    if (name == QLatin1String("routeNo") || name == QLatin1String("ticketNo") || name == QLatin1String("row"))
        return Kind::Number;
    return Kind::Text;
}

constexpr int kMaxPad = 20;

// Why an option does not suit the placeholder; empty when it does.
QString optionProblem(const QString &name, const QString &option) {
    switch (kindOf(name)) {
    case Kind::Number: {
        bool ok = false;
        const int width = option.toInt(&ok);
        if (!ok || width < 1 || width > kMaxPad)
            return QStringLiteral("{%1:%2}: the width after the colon must be a whole number from 1 to %3")
                .arg(name, option)
                .arg(kMaxPad);
        return {};
    }
    case Kind::Date:
    case Kind::Time:
        if (option.isEmpty()) return QStringLiteral("{%1:}: the format after the colon is empty").arg(name);
        if (const QString why = formatProblem(option); !why.isEmpty()) return QStringLiteral("{%1:...}: %2").arg(name, why);
        return {};
    case Kind::Text:
        return QStringLiteral("{%1:%2}: this placeholder takes no option").arg(name, option);
    }
    return {};
}

// Walks the template: literal text, placeholders (name and option, the option null
// when there is no colon) and faults, in order.
void scan(const QString &tpl, const std::function<void(const QString &)> &literal,
          const std::function<void(const QString &, const QString &)> &placeholder,
          const std::function<void(const QString &)> &fault) {
    QString text;
    for (qsizetype i = 0; i < tpl.size(); ++i) {
        const QChar c = tpl.at(i);
        const bool doubled = i + 1 < tpl.size() && tpl.at(i + 1) == c;
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && doubled) {
            text += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('}')) {
            fault(QStringLiteral("a lone \"}\" at character %1 (write \"}}\" for the brace itself)").arg(i + 1));
            text += c;
            continue;
        }
        if (c != QLatin1Char('{')) {
            text += c;
            continue;
        }
        const qsizetype close = tpl.indexOf(QLatin1Char('}'), i + 1);
        if (close < 0) {
            fault(QStringLiteral("the \"{\" at character %1 is never closed (write \"{{\" for the brace itself)").arg(i + 1));
            text += tpl.mid(i);
            break;
        }
        if (!text.isEmpty()) literal(text);
        text.clear();
        const QString inner = tpl.mid(i + 1, close - i - 1);
        const qsizetype colon = inner.indexOf(QLatin1Char(':'));
        const QString name = colon < 0 ? inner : inner.left(colon);
        const QString option = colon < 0 ? QString() : inner.mid(colon + 1);
        if (!placeholderNames().contains(name)) {
            fault(QStringLiteral("unknown placeholder {%1} (known: %2)").arg(inner, placeholderNames().join(QStringLiteral(", "))));
            literal(tpl.mid(i, close - i + 1));
        } else if (colon >= 0 && !optionProblem(name, option).isEmpty()) {
            fault(optionProblem(name, option));
            placeholder(name, QString());
        } else {
            placeholder(name, colon < 0 ? QString() : option);
        }
        i = close;
    }
    if (!text.isEmpty()) literal(text);
}

QDate parseDate(const QString &text) {
    for (const char *form : {"MM-dd-yyyy", "yyyy/MM/dd", "yyyy/M/d", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(text, QLatin1String(form));
        if (d.isValid()) return d;
    }
    return {};
}

QTime parseTime(const QString &text) {
    for (const char *form : {"HH:mm:ss", "H:mm:ss", "HH:mm"}) {
        const QTime t = QTime::fromString(text, QLatin1String(form));
        if (t.isValid()) return t;
    }
    return {};
}

QString number(std::int32_t value, const QString &option) {
    if (option.isNull()) return QString::number(value);
    return QStringLiteral("%1").arg(value, option.toInt(), 10, QLatin1Char('0'));
}

}  // namespace

const QStringList &placeholderNames() {
    static const QStringList names = {QStringLiteral("stopName"), QStringLiteral("date"),     QStringLiteral("time"),
                                      QStringLiteral("routeNo"),  QStringLiteral("ticketNo"), QStringLiteral("row"),
                                      QStringLiteral("company")};
    return names;
}

QString formatProblem(const QString &format) {
    if (format.size() <= kMaxFormatLength) return {};
    return QStringLiteral("the format has %1 characters, more than %2").arg(format.size()).arg(kMaxFormatLength);
}

QStringList templateProblems(const QString &tpl) {
    if (tpl.size() > kMaxTemplateLength)
        return {QStringLiteral("the text has %1 characters, more than %2").arg(tpl.size()).arg(kMaxTemplateLength)};
    QStringList problems;
    scan(tpl, [](const QString &) {}, [](const QString &, const QString &) {},
         [&](const QString &p) { problems << p; });
    return problems;
}

bool mentions(const QString &tpl, const QString &name) {
    bool found = false;
    scan(tpl, [](const QString &) {}, [&](const QString &n, const QString &) { found = found || n == name; },
         [](const QString &) {});
    return found;
}

QString expand(const QString &tpl, const Values &values, const Allowed &allowed, const Formats &formats,
               QString *printedDate) {
    QString out;
    bool datePrinted = false;
    auto value = [&](const QString &name, const QString &option) -> QString {
        if (name == QLatin1String("stopName")) return allowed.stopName ? values.stopName : QString();
        if (name == QLatin1String("company")) return values.company;
        if (name == QLatin1String("row")) return number(values.row, option);
        if (name == QLatin1String("ticketNo")) return number(values.ticketNo, option);
        if (name == QLatin1String("routeNo")) return allowed.routeNo ? number(values.routeNo, option) : QString();
        if (name == QLatin1String("time")) {
            if (!allowed.time) return {};
            const QTime t = parseTime(values.timeText);
            return t.isValid() ? t.toString(option.isNull() ? formats.time : option) : values.timeText;
        }
        if (!allowed.date) return {};
        const QDate d = parseDate(values.dateText);
        const QString printed = d.isValid() ? d.toString(option.isNull() ? formats.date : option) : values.dateText;
        if (printedDate && !datePrinted) *printedDate = printed;
        datePrinted = true;
        return printed;
    };
    scan(tpl, [&](const QString &text) { out += text; },
         [&](const QString &name, const QString &option) { out += value(name, option); }, [](const QString &) {});
    return out;
}

}  // namespace ticket
