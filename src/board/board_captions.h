#pragma once
// The printed words of the built-in board face: 運賃は over the stop-name strip, まで
// under it, 整理券 over the first column and the child-fare note along the bottom.
// They are drawn as text over the built-in picture, so a zoomed board draws them
// sharp at its own size; a user's picture brings its own words.
#include <QColor>
#include <QRegion>

class QPainter;

namespace board {

// Draws the words in the painter's board coordinates (the 1x layout), those that
// touch `due` (the part being repainted).
void drawCaptions(QPainter &p, const QRegion &due, const QColor &colour = Qt::white);

}  // namespace board
