#pragma once
// The three digit faces of the digit display, drawn as seven-segment lamps rather
// than taken from a font: every glyph is exactly one digit position wide at every
// size step, and "8" covers every segment any other glyph lights, so lit digits
// always fall on the unlit eights behind them.
//
//   "M_DegitA"  upright bars with pointed ends, thin gaps (a classic LED digit)
//   "M_DegitB"  heavy, slightly slanted bars with mitred corners (the amber digits
//               of a bus fare display)
//   "M_DegitC"  slim round-ended bars with open corners (a fluorescent tube digit)
#include <QColor>
#include <QString>

class QImage;
class QPainter;
class QRect;

namespace digit_faces {

// One row of the size table: width of a digit position and height of the control,
// in pixels, and the point size the face is named at.
struct SizeStep {
    int cellWidth;
    int height;
    int pointSize;
};

// Sizes 1, 2, 3 have rows of their own; every other value uses row 0.
SizeStep sizeStep(int degitSize);

// 1 → "M_DegitB", 2 → "M_DegitC", anything else → "M_DegitA".
QString faceName(int degitStyle);

// Segment bits, a (top) to g (middle), in the usual order.
enum Segment : unsigned {
    SegA = 1u << 0,  // top
    SegB = 1u << 1,  // upper right
    SegC = 1u << 2,  // lower right
    SegD = 1u << 3,  // bottom
    SegE = 1u << 4,  // lower left
    SegF = 1u << 5,  // upper left
    SegG = 1u << 6,  // middle
    AllSegments = 0x7Fu,
};

// Which segments a character lights. Digits (half- and full-width), "-", "_", "="
// and the letters a seven-segment digit can show; anything else (a space too)
// lights nothing.
unsigned segmentsFor(QChar c);

// Draws `text` in one face, one glyph per position, the first glyph's cell at
// (x, y); each following cell starts cellWidth + charExtra further right. Only the
// lit segments are painted: the background stays as it is.
void drawText(QPainter &p, const QString &text, int x, int y, int degitSize, int degitStyle, bool bold,
              int charExtra, const QColor &color);

// drawText onto an RGB32 picture `scale` times finer (a whole number above 1),
// positions in pixels of the unscaled picture, only inside `clip` (device pixels):
// the same segments, each glyph rasterised once and reused.
void drawTextScaled(QImage &target, const QRect &clip, const QString &text, int x, int y, int degitSize,
                    int degitStyle, bool bold, int charExtra, const QColor &color, int scale);

// Width that drawText covers for `text`.
int textWidth(const QString &text, int degitSize, int charExtra);

}  // namespace digit_faces
