// The text a digit display lights for a value, without any drawing.
#include "core/digit_text.h"

#include <gtest/gtest.h>

using digit_text::litText;

namespace {
const QString kEmpty;
QString S(const char *s) { return QString::fromUtf8(s); }
}  // namespace

TEST(DigitText, ZeroModesOnZeroMinusOneAndEmpty) {
    // Columns: the number 0, the number -1, the empty text.
    const QVariant values[3] = {0, -1, kEmpty};
    const char *lit[4][3] = {
        {"", "-1", ""},    // 0: 0 and empty blank
        {"0", "-1", "0"},  // 1: 0 and empty show 0
        {"", "0", ""},     // 2: -1 shows 0, a real 0 blanks
        {"0", "0", "0"},   // 3: all show 0
    };
    for (int mode = 0; mode < 4; ++mode) {
        for (int v = 0; v < 3; ++v) EXPECT_EQ(litText(values[v], mode, 0, 0, 4), S(lit[mode][v])) << mode << " " << v;
        // Other numbers are never touched; texts never count as 0 or -1, and a
        // single space is neither numeric nor empty.
        EXPECT_EQ(litText(230, mode, 0, 0, 4), S("230")) << mode;
        for (const char *text : {"000", "0", "-1"}) EXPECT_EQ(litText(S(text), mode, 0, 0, 4), S(text)) << mode;
        EXPECT_EQ(litText(S(" "), mode, 3, 0, 4), S(" ")) << mode;
    }
    EXPECT_EQ(litText(kEmpty, 2, 3, 0, 4), kEmpty);
    // Modes outside 0..3 (as the dialog may leave them) substitute nothing.
    EXPECT_EQ(litText(0, 4, 0, 0, 4), S("0"));
    EXPECT_EQ(litText(-1, -3, 0, 0, 4), S("-1"));
    EXPECT_EQ(litText(kEmpty, 99, 2, 0, 4), kEmpty);
}

TEST(DigitText, ZeroFillShiftAndCutToThePositions) {
    struct Row {
        QVariant value;
        int fill, shift, keta;
        const char *lit;
    };
    const Row rows[] = {
        // Zero fill never cuts digits and keeps the sign in front.
        {5, 3, 0, 4, "005"}, {12345, 3, 0, 8, "12345"}, {-5, 3, 0, 4, "-005"},
        // Numeric texts are formatted too, fractions rounded half away from zero.
        {S("12"), 4, 0, 4, "0012"}, {S("00012"), 3, 0, 4, "012"}, {S(" 7 "), 2, 0, 4, "07"}, {S("2.5"), 1, 0, 4, "3"},
        {S("-2.5"), 2, 0, 4, "-03"}, {S("2.49"), 1, 0, 4, "2"}, {S("9.5"), 1, 0, 4, "10"}, {S("-0.2"), 2, 0, 4, "00"},
        {S("1.5e2"), 1, 0, 4, "150"},
        // Without a fill count (or with a negative one) texts stay exactly as given;
        // non-numeric texts are never formatted.
        {S("00012"), 0, 0, 5, "00012"}, {S("2.5"), 0, 0, 4, "2.5"}, {S("12a"), 3, 0, 4, "12a"}, {5, -3, 0, 4, "5"},
        {S("07"), -1, 0, 4, "07"},
        // A count far beyond the positions (stored unchecked by the dialog) still cuts right.
        {5, 30000, 0, 4, "0005"},
        // Shift and cut to the positions; a blank still moves nothing into view.
        {12345, 0, 0, 4, "2345"}, {5, 3, 1, 4, "005 "}, {123, 0, 2, 4, "23  "}, {7, 0, 2, 4, "7  "}, {7, 0, 9, 4, "    "},
        {7, 0, -2, 4, "7"}, {0, 0, 1, 4, " "}, {S("8888"), 0, 0, 4, "8888"}, {S("88888888"), 0, 0, 15, "88888888"},
        {5, 0, 0, 0, ""}, {5, 0, 0, -4, ""}, {-32768, 0, 0, 6, "-32768"}, {-32768, 7, 0, 8, "-0032768"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(litText(r.value, 0, r.fill, r.shift, r.keta), S(r.lit)) << r.value.toString().toStdString() << " " << r.fill;
    // With the zero modes that show 0.
    EXPECT_EQ(litText(0, 1, 3, 0, 4), S("000"));
    EXPECT_EQ(litText(kEmpty, 1, 3, 0, 4), S("000"));
    EXPECT_EQ(litText(-1, 3, 2, 0, 4), S("00"));
}

TEST(DigitText, ValuesAreNumbersOrTexts) {
    using digit_text::normalizeValue;
    EXPECT_EQ(normalizeValue(QVariant()), QVariant(kEmpty));
    EXPECT_EQ(normalizeValue(short(-1)), QVariant(-1));
    EXPECT_EQ(normalizeValue(qlonglong(70)), QVariant(70));
    EXPECT_EQ(normalizeValue(4.0), QVariant(4));
    // A fraction stays a number, shown as written, never counted as 0.
    EXPECT_EQ(normalizeValue(2.5).typeId(), QMetaType::Double);
    EXPECT_EQ(litText(2.5, 0, 1, 0, 4), S("3"));
    EXPECT_EQ(litText(0.25, 0, 0, 0, 4), S("0.25"));
    EXPECT_EQ(normalizeValue(qlonglong(1) << 40), QVariant(S("1099511627776")));
    // A whole double is a number for the zero handling.
    EXPECT_EQ(litText(0.0, 0, 0, 0, 4), kEmpty);
}

TEST(DigitText, NumericTextRecognition) {
    using digit_text::isNumericText;
    for (const char *yes : {"0", "00", "-1", "+3", " 12 ", "1.", ".5", "1e3", "2.5E-1"})
        EXPECT_TRUE(isNumericText(S(yes))) << yes;
    for (const char *no : {"", " ", "-", ".", "1-", "1e", "e3", "1,000", "12ab", "1.2.3", "１２"})
        EXPECT_FALSE(isNumericText(S(no))) << no;
    // Huge exponents are refused instead of building enormous texts; zeros stay zero.
    EXPECT_FALSE(isNumericText(S("1e999999999")));
    EXPECT_TRUE(isNumericText(S("0e999999999")));
    EXPECT_EQ(litText(S("1e-999999999"), 0, 2, 0, 4), S("00"));
    EXPECT_EQ(litText(S("1e999999999"), 0, 2, 0, 4), S("9999"));
}
