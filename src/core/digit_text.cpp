#include "core/digit_text.h"

#include <QMetaType>

#include <cmath>
#include <limits>

namespace digit_text {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Decimal notation split into its parts; no value is computed, so any length works.
struct DecimalParts {
    bool negative = false;
    QString mantissa;  // every digit of the mantissa, in order
    long long pointPos = 0;  // digits of `mantissa` before the decimal point, exponent applied
};

std::optional<DecimalParts> parseDecimal(const QString &text) {
    const QString s = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = s.size();
    DecimalParts parts;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        parts.negative = s[i] == QLatin1Char('-');
        ++i;
    }
    qsizetype intDigits = 0, fracDigits = 0;
    while (i < n && isDigit(s[i])) {
        parts.mantissa.append(s[i++]);
        ++intDigits;
    }
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(s[i])) {
            parts.mantissa.append(s[i++]);
            ++fracDigits;
        }
    }
    if (intDigits + fracDigits == 0) return std::nullopt;
    long long exponent = 0;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        ++i;
        bool expNegative = false;
        if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
            expNegative = s[i] == QLatin1Char('-');
            ++i;
        }
        if (i >= n || !isDigit(s[i])) return std::nullopt;
        while (i < n && isDigit(s[i])) {
            // Saturate: a huge exponent is refused below rather than overflowing here.
            if (exponent < 1'000'000) exponent = exponent * 10 + s[i].digitValue();
            ++i;
        }
        if (expNegative) exponent = -exponent;
    }
    if (i != n) return std::nullopt;
    parts.pointPos = intDigits + exponent;
    return parts;
}

// Beyond this many integer digits a text is no longer a number anyone means to show
// (the largest double has 309); refusing it keeps "1e999999" from building a huge text.
constexpr long long kMaxIntegerDigits = 309;

}  // namespace

bool isText(const QVariant &value) { return value.typeId() == QMetaType::QString; }

bool isFraction(const QVariant &value) { return value.typeId() == QMetaType::Double; }

QVariant normalizeValue(const QVariant &value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::QString:
        return value;
    case QMetaType::UnknownType:
        return QString();
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (ok && value.typeId() == QMetaType::ULongLong && value.toULongLong() > quint64(std::numeric_limits<qlonglong>::max()))
            ok = false;
        if (ok && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) return int(n);
        return value.toString();
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && d >= std::numeric_limits<int>::min() &&
            d <= std::numeric_limits<int>::max())
            return int(d);
        // A fraction stays a number; it is shown as written and the zero fill rounds it.
        if (std::isfinite(d)) return d;
        return QString::number(d, 'g', 15);
    }
    default:
        return value.toString();
    }
}

bool isNumericText(const QString &text) { return roundNumericText(text).has_value(); }

std::optional<WholeNumber> roundNumericText(const QString &text) {
    const std::optional<DecimalParts> parts = parseDecimal(text);
    if (!parts) return std::nullopt;
    if (parts->pointPos > kMaxIntegerDigits) {
        // Leading zeros do not make a number big: measure the significant digits only.
        qsizetype leadingZeros = 0;
        while (leadingZeros < parts->mantissa.size() && parts->mantissa[leadingZeros] == QLatin1Char('0'))
            ++leadingZeros;
        if (leadingZeros == parts->mantissa.size()) return WholeNumber{false, QStringLiteral("0")};
        if (parts->pointPos - leadingZeros > kMaxIntegerDigits) return std::nullopt;
    }
    const QString &m = parts->mantissa;
    QString digits;
    QChar firstFraction = QLatin1Char('0');
    if (parts->pointPos > 0) {
        const qsizetype intLen = qsizetype(parts->pointPos);
        digits = m.left(intLen);
        if (intLen > m.size()) digits.append(QString(intLen - m.size(), QLatin1Char('0')));
        else if (intLen < m.size()) firstFraction = m[intLen];
    } else if (parts->pointPos == 0 && !m.isEmpty()) {
        firstFraction = m[0];
    }
    // Strip leading zeros before rounding so the carry only has real digits to walk.
    qsizetype z = 0;
    while (z < digits.size() && digits[z] == QLatin1Char('0')) ++z;
    digits = digits.mid(z);
    if (firstFraction >= QLatin1Char('5')) {
        // Half away from zero: add one to the magnitude.
        qsizetype k = digits.size() - 1;
        while (k >= 0 && digits[k] == QLatin1Char('9')) digits[k--] = QLatin1Char('0');
        if (k >= 0) digits[k] = QChar(digits[k].unicode() + 1);
        else digits.prepend(QLatin1Char('1'));
    }
    if (digits.isEmpty()) digits = QStringLiteral("0");
    // No negative zero on a display: "-0.2" is 0.
    const bool negative = parts->negative && digits != QLatin1String("0");
    return WholeNumber{negative, digits};
}

QString formatMinDigits(const WholeNumber &n, int minDigits) {
    QString out = n.digits;
    if (minDigits > out.size()) out.prepend(QString(minDigits - out.size(), QLatin1Char('0')));
    if (n.negative) out.prepend(QLatin1Char('-'));
    return out;
}

QString litText(const QVariant &value, int zeroMode, int fillZero, int shift, int keta) {
    QVariant v = normalizeValue(value);
    // A fraction is never 0 or -1 (whole numbers are ints by now): like a text here.
    const bool text = isText(v) || isFraction(v);
    const bool isZero = !text && v.toInt() == 0;
    const bool isMinusOne = !text && v.toInt() == -1;
    const bool isEmpty = text && v.toString().isEmpty();

    switch (zeroMode) {
    case 0:
        if (isZero || isEmpty) v = QString();
        break;
    case 1:
        if (isZero || isEmpty) v = 0;
        break;
    case 2:
        if (isMinusOne) v = 0;
        else if (isZero) v = QString();
        break;
    case 3:
        if (isMinusOne || isZero || isEmpty) v = 0;
        break;
    default:
        break;
    }

    QString s;
    if (isText(v) || isFraction(v)) {
        s = isFraction(v) ? QString::number(v.toDouble(), 'g', 15) : v.toString();
        if (fillZero > 0) {
            if (const std::optional<WholeNumber> n = roundNumericText(s)) s = formatMinDigits(*n, fillZero);
        }
    } else {
        const int n = v.toInt();
        if (fillZero > 0) {
            // Through 64 bits so the most negative int keeps its magnitude.
            const long long magnitude = n < 0 ? -static_cast<long long>(n) : n;
            s = formatMinDigits(WholeNumber{n < 0, QString::number(magnitude)}, fillZero);
        } else {
            s = QString::number(n);
        }
    }

    if (keta <= 0) return QString();
    // Spaces beyond the number of positions would be cut again at once.
    if (shift >= 1) s.append(QString(qMin(shift, keta), QLatin1Char(' ')));
    return s.right(keta);
}

}  // namespace digit_text
