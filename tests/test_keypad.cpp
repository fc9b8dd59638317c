#include "app/about_text.h"
#include "app/keypad.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(Keypad, DigitsGoToTheSectionUntilRouteIsChosen) {
    KeypadState k;
    pressKey(k, 4);
    pressKey(k, 2);
    EXPECT_EQ(k.section, QStringLiteral("42"));
    EXPECT_TRUE(k.route.isEmpty());

    pressKey(k, kKeyRoute);
    for (int d : {0, 0, 0, 1, 2, 7, 9}) pressKey(k, d);
    EXPECT_EQ(k.route, QStringLiteral("00012")) << "at most five route digits, leading zeros kept";
    EXPECT_EQ(k.section, QStringLiteral("42"));

    pressKey(k, kKeyRoute);  // clears even when already full
    EXPECT_TRUE(k.route.isEmpty());
    EXPECT_TRUE(k.toRoute);

    pressKey(k, kKeySection);
    EXPECT_TRUE(k.section.isEmpty());
    for (int d : {9, 9, 9, 9}) pressKey(k, d);
    EXPECT_EQ(k.section, QStringLiteral("999")) << "at most three section digits";

    pressKey(k, 12);  // not a key: nothing
    pressKey(k, -1);
    EXPECT_EQ(k.section, QStringLiteral("999"));
}

TEST(AboutText, FiveLinesEachEndedByCrLf) {
    const QString text = aboutText(QStringLiteral("207_000"), QStringLiteral("1.2.3"), 2031);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6);  // five lines and the empty rest after the last CR LF
    EXPECT_EQ(lines[0], QStringLiteral("型番：207_000"));
    EXPECT_EQ(lines[1], QStringLiteral("バージョン：1.2.3"));
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_FALSE(lines[3].isEmpty());
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("2031")));
    EXPECT_TRUE(lines[5].isEmpty());
}
