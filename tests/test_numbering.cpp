// Ticket-number captions: the twelve numbering styles, the zero prefix, full-width
// digits, styles outside the list, and what numberTicketLabels does to the board's labels.
#include "panel/board_layout.h"
#include "test_windows.h"
#include "board/form1.h"
#include "core/seiriken_numbering.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// Caption of label `index` in a plan, or a marker when the plan leaves it alone.
QString captionOf(const seiriken::LabelPlan &plan, int index) {
    for (const auto &[i, text] : plan.captions)
        if (i == index) return text;
    return QStringLiteral("<untouched>");
}

}  // namespace

TEST(Numbering, EveryStyleWithAndWithoutZeroPrefix) {
    const char16_t *words[12] = {u"", u"", u"な し", u"な し", u"無 券", u"無 券",
                                 u"券なし", u"券なし", u"券無し", u"券無し", u"", u""};
    for (int style = 0; style < 12; ++style) {
        for (int zero : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " zero " << zero);
            const auto plan = seiriken::numberingPlan(style, zero);
            // First label number and the number of label 32.
            int first = 0, offset = 0;
            if (style == 0) first = 1, offset = 0;
            else if (style == 1) first = 1, offset = -1;
            else first = 2, offset = style % 2 == 1 ? 0 : -1;
            ASSERT_EQ(int(plan.captions.size()), 33 - first);
            for (int i = first; i <= 32; ++i) {
                const int n = i + offset;
                const QString ascii = zero && n < 10 ? QStringLiteral("0%1").arg(n) : QString::number(n);
                EXPECT_EQ(captionOf(plan, i), seiriken::toFullWidthDigits(ascii)) << "label " << i;
            }
            // Labels are written in ascending order.
            for (size_t k = 1; k < plan.captions.size(); ++k)
                EXPECT_LT(plan.captions[k - 1].first, plan.captions[k].first);
            EXPECT_EQ(plan.setLabel1Word, style >= 2);
            EXPECT_EQ(plan.label1Word, QString::fromUtf16(words[style]));
            EXPECT_EQ(plan.label1PointSize, style < 2 ? 11 : 10);
        }
    }
    // Any non-zero prefix value counts as on.
    EXPECT_EQ(captionOf(seiriken::numberingPlan(0, -1), 5), QStringLiteral("０５"));

    // Outside the list: no style chosen touches only label 1's size; beyond the
    // list label 1 empties, in the smaller size.
    const auto none = seiriken::numberingPlan(-1, 1);
    EXPECT_TRUE(none.captions.empty());
    EXPECT_FALSE(none.setLabel1Word);
    EXPECT_EQ(none.label1PointSize, 11);
    const auto beyond = seiriken::numberingPlan(12, 0);
    EXPECT_TRUE(beyond.captions.empty());
    EXPECT_TRUE(beyond.setLabel1Word);
    EXPECT_TRUE(beyond.label1Word.isEmpty());
    EXPECT_EQ(beyond.label1PointSize, 10);
}

TEST(Numbering, SeirikenNumSetWritesTheBoardLabels) {
    Form1 *board = testBoard();
    auto caption = [board](int i) { return board->ticketLabel(i)->text(); };
    auto size = [board](int i) { return board->ticketLabel(i)->font().pointSizeF(); };

    // The start-up captions, sizes and face are seen in the program's dump; here, the change.
    board_layout::numberTicketLabels(*testBoard(), 7, 0);
    EXPECT_EQ(caption(1), QStringLiteral("券なし"));
    // Only label 1's size changes; it keeps its bold face.
    EXPECT_EQ(std::pair(size(1), size(2)), std::pair(10.0, 11.25));
    EXPECT_TRUE(board->ticketLabel(1)->font().bold());

    // Beyond the list (the plan's own rules are tested above): label 1 empties, 2..32 stay.
    board_layout::numberTicketLabels(*testBoard(), 12, 0);
    EXPECT_EQ(caption(1), QString());
    EXPECT_EQ(caption(10), QStringLiteral("１０"));

    board_layout::numberTicketLabels(*testBoard(), 0, 0);  // as the other tests expect the board
    EXPECT_EQ(size(1), 11);
}
