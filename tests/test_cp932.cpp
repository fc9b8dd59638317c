#include "core/byte_strings.h"
#include "core/cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, RoundTripWaveDashAndUnrepresentableCharacters) {
    const QString text = QStringLiteral("市役所前ｽｸﾛｰﾙ速度ひらがなカタカナABC123～");
    EXPECT_EQ(cp932::decode(cp932::encode(text)), text);
    // Half-width katakana are single bytes, kanji and kana two.
    EXPECT_EQ(cp932::encode(QStringLiteral("ｽ")).size(), 1);
    EXPECT_EQ(cp932::encode(QStringLiteral("市")), QByteArray("\x8e\x73"));
    // "～" is the Windows wave dash, both ways.
    EXPECT_EQ(cp932::encode(QStringLiteral("～")), QByteArray("\x81\x60"));
    EXPECT_EQ(cp932::decode(QByteArray("\x81\x60")), QStringLiteral("～"));
    EXPECT_EQ(cp932::encode(QStringLiteral("a😀b€c")), QByteArray("a?b?c"));
}

TEST(Cp932, BrokenBytesNeverCrashNorSwallowTheNextCharacter) {
    EXPECT_EQ(cp932::decode(QByteArray("A\x81")), QStringLiteral("A\uFFFD"));  // lone lead byte at the end
    EXPECT_TRUE(cp932::decode(QByteArray("\x85\x40Z", 3)).endsWith(QLatin1Char('Z')));
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        EXPECT_FALSE(cp932::decode(one + one).isNull());
    }
    // A lead byte followed by a byte that cannot trail: only the lead byte is lost.
    EXPECT_EQ(cp932::decode(QByteArray("\x81\nA")), QStringLiteral("\uFFFD\nA"));
    EXPECT_EQ(cp932::decode(QByteArray("x\x9f,y")), QStringLiteral("x\uFFFD,y"));
    EXPECT_EQ(cp932::decode(QByteArray("\xE0\x7F")), QStringLiteral("\uFFFD\x7F"));
    EXPECT_EQ(cp932::decode(QByteArray("\x81\r\x8e\x73")), QStringLiteral("\uFFFD\r市"));
}

TEST(ByteStrings, LengthAndRangesCountCp932Bytes) {
    EXPECT_EQ(LenB_ASCII(QStringLiteral("市役所前")), 8);
    EXPECT_EQ(LenB_ASCII(QStringLiteral("ABC")), 3);
    EXPECT_EQ(LenB_ASCII(QString()), 0);
    EXPECT_EQ(MidB_ASCII(QStringLiteral("市役所前"), 3, 2), QStringLiteral("役"));
    EXPECT_EQ(MidB_ASCII(QStringLiteral("ABC"), 3, 2), QStringLiteral("C"));
    EXPECT_EQ(MidB_ASCII(QStringLiteral("ABC"), 5, 2), QString());
    EXPECT_EQ(MidB_ASCII(QStringLiteral("ABC"), 0, 2), QString());
    // A range that cuts a double-byte character still gives something printable.
    EXPECT_EQ(MidB_ASCII(QStringLiteral("A市"), 1, 2).left(1), QStringLiteral("A"));
}
