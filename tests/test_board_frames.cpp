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
        frames.frame();
        // Only the far label repaints: the region does not start at the board's corner.
        far->setText(QStringLiteral("changed"));
        far->repaint();
        const QImage partial = frames.frame().copy();
        view::BoardFrames whole(&board, factor);
        EXPECT_EQ(partial, whole.frame());
    }
}
