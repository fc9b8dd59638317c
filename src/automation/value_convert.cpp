#include "automation/value_convert.h"

#include <limits>

namespace script {

namespace {

std::optional<bool> parseBool(const QString &t) {
    const QString s = t.toLower();
    if (s == QLatin1String("true") || s == QLatin1String("1") || s == QLatin1String("-1")) return true;
    if (s == QLatin1String("false") || s == QLatin1String("0")) return false;
    return std::nullopt;
}

template <typename T>
std::optional<QVariant> integerAs(const Token &tok, QString *error) {
    const auto n = parseInteger(tok.text);
    if (!n) {
        if (error) *error = QStringLiteral("\"%1\" is not a whole number").arg(tok.text);
        return std::nullopt;
    }
    if constexpr (std::is_unsigned_v<T>) {
        // Colours are often written as unsigned hexadecimal; a negative number is a mistake.
        if (*n < 0 || static_cast<quint64>(*n) > std::numeric_limits<T>::max()) {
            if (error) *error = QStringLiteral("%1 is out of range").arg(tok.text);
            return std::nullopt;
        }
    } else {
        if (*n < static_cast<qint64>(std::numeric_limits<T>::min()) || *n > static_cast<qint64>(std::numeric_limits<T>::max())) {
            if (error) *error = QStringLiteral("%1 is out of range").arg(tok.text);
            return std::nullopt;
        }
    }
    return QVariant::fromValue(static_cast<T>(*n));
}

}  // namespace

QVariant naturalValue(const Token &tok) {
    if (tok.quoted) return tok.text;
    const QString lower = tok.text.toLower();
    if (lower == QLatin1String("true")) return true;
    if (lower == QLatin1String("false")) return false;
    if (const auto n = parseInteger(tok.text)) {
        if (*n >= std::numeric_limits<int>::min() && *n <= std::numeric_limits<int>::max()) return static_cast<int>(*n);
        return *n;
    }
    bool ok = false;
    const double d = tok.text.toDouble(&ok);
    if (ok) return d;
    return tok.text;
}

std::optional<QVariant> convertArgument(const Token &tok, QMetaType target, QString *error) {
    const int id = target.id();
    if (id == QMetaType::QString) return QVariant(tok.text);
    if (id == QMetaType::QVariant || id == QMetaType::UnknownType) return naturalValue(tok);
    if (tok.quoted) {
        if (error) *error = QStringLiteral("\"%1\" is text, but %2 is needed here (write it without quotes)").arg(tok.text, QString::fromLatin1(target.name()));
        return std::nullopt;
    }
    switch (id) {
    case QMetaType::Bool: {
        const auto b = parseBool(tok.text);
        if (!b) {
            if (error) *error = QStringLiteral("\"%1\" is not true or false").arg(tok.text);
            return std::nullopt;
        }
        return QVariant(*b);
    }
    case QMetaType::Int: return integerAs<int>(tok, error);
    case QMetaType::UInt: return integerAs<uint>(tok, error);
    case QMetaType::Short: return integerAs<short>(tok, error);
    case QMetaType::UShort: return integerAs<ushort>(tok, error);
    case QMetaType::Long: return integerAs<long>(tok, error);
    case QMetaType::ULong: return integerAs<ulong>(tok, error);
    case QMetaType::LongLong: return integerAs<qlonglong>(tok, error);
    case QMetaType::ULongLong: return integerAs<qulonglong>(tok, error);
    case QMetaType::SChar: return integerAs<signed char>(tok, error);
    case QMetaType::UChar: return integerAs<uchar>(tok, error);
    case QMetaType::Double:
    case QMetaType::Float: {
        bool ok = false;
        const double d = tok.text.toDouble(&ok);
        if (!ok) {
            if (const auto n = parseInteger(tok.text)) return id == QMetaType::Float ? QVariant(static_cast<float>(*n)) : QVariant(static_cast<double>(*n));
            if (error) *error = QStringLiteral("\"%1\" is not a number").arg(tok.text);
            return std::nullopt;
        }
        return id == QMetaType::Float ? QVariant(static_cast<float>(d)) : QVariant(d);
    }
    default: break;
    }
    // Anything else (enumerations, colours given by name, ...): as Qt converts text.
    QVariant v(tok.text);
    if (!v.convert(target)) {
        if (error) *error = QStringLiteral("\"%1\" cannot be turned into a %2").arg(tok.text, QString::fromLatin1(target.name()));
        return std::nullopt;
    }
    return v;
}

}  // namespace script
