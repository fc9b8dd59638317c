// The built-in board face: its size and palette, and that its cells, slot and dark
// label areas sit exactly where the live controls are placed over it.
#include "board/board_geometry.h"
#include "board/form1.h"

#include <QImage>
#include <QRegion>
#include <gtest/gtest.h>

namespace {

QImage builtInPanel() {
    return QImage(QStringLiteral(":/panel/panel.png"));
}

bool isBlack(QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; }

// Grey but neither the black face nor text white.
bool isCellGrey(QRgb c) { return qGray(c) >= 40 && qGray(c) <= 160; }

int brightPixels(const QImage &img, const QRect &area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) >= 200) ++n;
    return n;
}

}  // namespace

TEST(PanelPicture, TheBoardCarriesA256ColourPictureOfItsSizeAndTheLitStatesLightIt) {
    // Building the board is what registers the embedded pictures in the program.
    Form1 board;
    const QImage img = builtInPanel();
    ASSERT_FALSE(img.isNull()) << "the panel picture is not embedded";
    EXPECT_EQ(board.builtInPicture(0).convertToFormat(QImage::Format_RGB32), img.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(img.size(), QSize(board::kWidth, board::kHeight));
    EXPECT_EQ(img.format(), QImage::Format_Indexed8);
    EXPECT_LE(img.colorCount(), 256);
    EXPECT_GT(img.colorCount(), 2);

    const QPoint face = board::labelRect(12).topLeft();  // behind a ticket-number label
    const int off = qGray(board.builtInPicture(0).pixel(face)), on1 = qGray(board.builtInPicture(1).pixel(face)),
              on2 = qGray(board.builtInPicture(2).pixel(face));
    EXPECT_EQ(off, 0);
    EXPECT_GT(on1, off + 10);
    EXPECT_GT(on2, on1 + 10);
}

TEST(PanelPicture, GreyCellsWithUnlitEightsUnderEveryDisplayAndBlackUnderItsLabel) {
    const QImage img = builtInPanel();
    ASSERT_FALSE(img.isNull());
    const QRect first = board::degitRect(1);
    for (int i = 1; i <= 32; ++i) {
        const QRect r = board::degitRect(i);
        ASSERT_TRUE(img.rect().contains(r)) << "display " << i;
        int differs = 0;
        for (int y = 0; y < r.height(); ++y) {
            for (int x = 0; x < r.width(); ++x) {
                const QRgb c = img.pixel(r.left() + x, r.top() + y);
                ASSERT_TRUE(isCellGrey(c)) << "display " << i << " at (" << x << "," << y << ")";
                if (c != img.pixel(first.left() + x, first.top() + y)) ++differs;
            }
        }
        // Every cell carries the same segment pattern, drawn at the cell's own origin.
        EXPECT_EQ(differs, 0) << "display " << i;
        // Label text is drawn at run time in white or green: its area must stay black
        // (apart from where it touches the display below).
        for (const QRect &dark : QRegion(board::labelRect(i)) - QRegion(r))
            for (int y = dark.top(); y <= dark.bottom(); ++y)
                for (int x = dark.left(); x <= dark.right(); ++x)
                    ASSERT_TRUE(isBlack(img.pixel(x, y))) << "label " << i << " at (" << x << "," << y << ")";
    }
}

TEST(PanelPicture, FlatSlotUnderTheStripLightFrameAndCaptions) {
    const QImage img = builtInPanel();
    ASSERT_FALSE(img.isNull());
    const QRect slot = board::chimeiRect();
    ASSERT_TRUE(img.rect().contains(slot));
    const QRgb ground = img.pixel(slot.topLeft());
    EXPECT_TRUE(isCellGrey(ground));
    for (int y = slot.top(); y <= slot.bottom(); ++y)
        for (int x = slot.left(); x <= slot.right(); ++x)
            ASSERT_EQ(img.pixel(x, y), ground) << "at (" << x << "," << y << ")";

    // 運賃は above the slot and まで below it are the board's text over the picture,
    // not pixels of it, so that a zoomed board draws them sharp.
    const QRect above(slot.left() - 6, 4, slot.width() + 12, slot.top() - 4);
    const QRect below(slot.left() - 6, slot.bottom() + 2, slot.width() + 12, board::kHeight - 4 - (slot.bottom() + 2));
    EXPECT_EQ(brightPixels(img, above), 0);
    Form1 board;
    board.setPicture(board.builtInPicture(0));
    const QImage shown = board.grab().toImage();
    EXPECT_GT(brightPixels(shown, above), 20);
    EXPECT_GT(brightPixels(shown, below), 20);
    // A user's picture brings its own words.
    QImage user(board::kWidth, board::kHeight, QImage::Format_RGB32);
    user.fill(Qt::black);
    board.setPicture(user);
    EXPECT_EQ(brightPixels(board.grab().toImage(), above), 0);
}
