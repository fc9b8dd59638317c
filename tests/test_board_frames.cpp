// A recording's pictures drawn again only where the board repainted still show the
// board as a whole drawing of it does.
#include "view/board_frames.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

TEST(BoardFrames, RepaintedPartsLandWhereTheyAre) {
    QWidget board;
    board.resize(200, 100);
    board.setStyleSheet(QStringLiteral("background: black; color: yellow;"));
    auto *near = new QLabel(QStringLiteral("A"), &board);
    auto *far = new QLabel(QStringLiteral("B"), &board);
    near->setGeometry(10, 10, 40, 20);
    far->setGeometry(120, 60, 60, 30);
    board.show();
    QApplication::processEvents();
    for (const double factor : {1.0, 2.0}) {
        SCOPED_TRACE(factor);
        view::BoardFrames frames(&board, factor);
        // Each picture stays held, as by an encoder that has not read it yet: the
        // next ones must neither draw on it nor lose what changed since it.
        const QImage first = frames.frame();
        const QImage firstAsTaken = first.copy();
        // Only the far label repaints: the region does not start at the board's corner.
        far->setText(QStringLiteral("changed %1").arg(factor));
        far->repaint();
        const QImage partial = frames.frame();
        EXPECT_EQ(partial, view::BoardFrames(&board, factor).frame());
        near->setText(QStringLiteral("C%1").arg(factor));
        near->repaint();
        EXPECT_EQ(frames.frame(), view::BoardFrames(&board, factor).frame());
        EXPECT_EQ(first, firstAsTaken);
        EXPECT_NE(partial, first);
    }
}
