#pragma once
// What a digit display lights for a value: zero handling, zero fill, shift and the
// cut to the number of positions. Pure text work, no drawing, so the rules that
// decide a fare cell's look can be checked without a window.
#include <QString>
#include <QVariant>

#include <optional>

namespace digit_text {

// A display value is either a number or a text. Anything else a host hands over is
// brought to one of the two: whole numbers become ints, a finite fraction stays a
// double, a null value becomes the empty text, everything else its text form.
QVariant normalizeValue(const QVariant &value);
bool isText(const QVariant &value);
bool isFraction(const QVariant &value);

// A text that reads as a decimal number: optional spaces around, an optional sign,
// digits with at most one decimal point (at least one digit), an optional exponent.
// " " and "" are not numbers.
bool isNumericText(const QString &text);

// The whole number a numeric text stands for, as sign and digits (no leading zeros,
// "0" for zero), a fraction rounded half away from zero. Empty when not numeric or
// when the exponent is absurdly large.
struct WholeNumber {
    bool negative = false;
    QString digits;
};
std::optional<WholeNumber> roundNumericText(const QString &text);

// Number formatting with a minimum digit count: zeros in front up to `minDigits`
// digits, the sign before them, never a digit cut ("-5" at 3 gives "-005").
QString formatMinDigits(const WholeNumber &n, int minDigits);

// The text the display lights for `value`, exactly as drawn: ZeroMode's substitution
// (0: 0 and empty blank; 1: 0 and empty show 0; 2: −1 shows 0, 0 blanks; 3: −1, 0
// and empty show 0; other modes change nothing), the zero fill to `fillZero` digits
// for numeric values (0 or a negative count: no fill), `shift` spaces appended, then
// the last `keta` characters. A text never counts as 0 or −1 in the zero handling:
// what the operator typed (a route number "000") is shown as typed.
QString litText(const QVariant &value, int zeroMode, int fillZero, int shift, int keta);

}  // namespace digit_text
