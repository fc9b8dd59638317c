// The board view's arithmetic, its keys and its file, as tables.
#include "view/key_map.h"
#include "view/view_settings.h"
#include "view/zoom.h"

#include <gtest/gtest.h>

using namespace view;

TEST(ViewLogic, ZoomFactorsStepsAndParsing) {
    const QSize board(564, 234);
    EXPECT_EQ(largestWholeFactor(board, {1920, 1080}), 3);
    EXPECT_EQ(largestWholeFactor(board, {3840, 2160}), 6);
    EXPECT_EQ(largestWholeFactor(board, {7680, 4320}), 8);  // never beyond 8
    EXPECT_EQ(largestWholeFactor(board, {400, 300}), 1);    // never below 1
    EXPECT_DOUBLE_EQ(fitFactor(board, {1128, 1000}), 2.0);  // the narrower side decides
    EXPECT_EQ(centredRect(board, 3.0, QRect(1920, 0, 1920, 1080)), QRect(1920 + 114, 189, 1692, 702));

    struct Step { double from; int dir; int to; };
    for (const Step s : {Step{1, +1, 2}, Step{8, +1, 8}, Step{1, -1, 1}, Step{3, -1, 2}, Step{2.6, +1, 3}, Step{2.6, -1, 2}})
        EXPECT_EQ(steppedZoom(s.from, s.dir), s.to) << s.from << " " << s.dir;

    EXPECT_EQ(parseZoom(QStringLiteral("8"))->factor, 8);
    EXPECT_TRUE(parseZoom(QStringLiteral("FIT"))->fit);
    for (const char *bad : {"0", "9", "2.5", "", "x"}) EXPECT_FALSE(parseZoom(QLatin1String(bad))) << bad;
}

TEST(ViewLogic, KeysOfBothWindows) {
    struct Case { QKeyCombination key; bool panel; std::optional<KeyAction> action; int digit; };
    const Case cases[] = {
        {Qt::Key_PageDown, false, KeyAction::Forward, -1},
        {Qt::Key_Space, true, KeyAction::Forward, -1},
        {Qt::Key_Backspace, false, KeyAction::Back, -1},
        {Qt::Key_A, false, KeyAction::TapeNext, -1},
        {Qt::ShiftModifier | Qt::Key_A, false, KeyAction::TapeBack, -1},
        {Qt::ControlModifier | Qt::Key_A, false, std::nullopt, -1},
        {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Plus, false, KeyAction::ZoomIn, -1},
        {Qt::ControlModifier | Qt::Key_Minus, true, KeyAction::ZoomOut, -1},
        {Qt::KeypadModifier | Qt::Key_7, true, KeyAction::KeypadDigit, 7},
        {Qt::Key_7, false, std::nullopt, -1},  // the keypad is the panel's
        {Qt::KeypadModifier | Qt::Key_Enter, true, KeyAction::Reset, -1},
        {Qt::Key_Return, false, std::nullopt, -1},
        {Qt::ShiftModifier | Qt::Key_Asterisk, true, KeyAction::KeypadSection, -1},
        {Qt::Key_Escape, false, KeyAction::LeaveFullScreen, -1},
    };
    for (const Case &c : cases) {
        const auto hit = actionForKey(c.key, c.panel);
        ASSERT_EQ(hit.has_value(), c.action.has_value()) << c.key.toCombined();
        if (hit) {
            EXPECT_EQ(hit->action, *c.action) << c.key.toCombined();
            EXPECT_EQ(hit->digit, c.digit) << c.key.toCombined();
        }
    }
}

TEST(ViewLogic, ViewFileRoundTripAndBadLines) {
    const ViewSettings s{5, false, true, QStringLiteral("HDMI-1"), true, true};
    EXPECT_EQ(parseViewSettings(formatViewSettings(s)), s);
    const ViewSettings fit = parseViewSettings("zoom=fit\nontop=yes\nletterbox=1\n");
    EXPECT_TRUE(fit.fit);
    EXPECT_FALSE(fit.alwaysOnTop);  // a bad value keeps the default
    EXPECT_TRUE(fit.letterbox);
    EXPECT_EQ(parseViewSettings("zoom=12\n\x01\xff=\n=3\n"), ViewSettings{});
    EXPECT_EQ(viewSettingsPath(QStringLiteral("/a/b/207_000.in4")), QStringLiteral("/a/b/207_000.view"));
}
