#pragma once
// The rules of the stop-name strip that need no window: where each cell of a name
// goes, which characters are turned, replaced or moved inside their cell, and which
// face a cell is drawn in.
#include <QString>

#include <vector>

namespace chimei {

// Strip geometry in canvas pixels.
constexpr int kCellPixels = 32;      // a 16-dot cell on the 2-pixel pitch
constexpr int kStripHeight = 192;    // six cells
constexpr int kCellX = 2;            // left of every cell on the canvas
constexpr int kMaxStillCells = 6;    // longer names scroll

struct CellPlace {
    QString text;  // the cell's text as drawn by DrawDot16 (never empty)
    int x = 0;
    int y = 0;
};

struct Layout {
    int bytes = 0;         // CP932 length of the name
    int cellCount = 0;     // bytes / 2, rounded toward zero
    int y0 = 0;            // top of the first cell
    int pitch = 0;         // distance from one cell's top to the next
    int canvasHeight = kStripHeight;
    bool scrolls = false;  // seven cells or more
    std::vector<CellPlace> cells;  // every non-empty cell, in order
};

// Splits the name into two-byte cells of its CP932 form and places them by the
// cell count; `mode` chooses the spacing of a two-cell name (2: close, else wide).
// A trailing odd byte forms one more cell one pitch further down.
Layout layoutText(const QString &text, int mode);

// How one cell is put into the glyph box.
struct CellRule {
    QString drawn;       // the text actually drawn
    int dx = 0, dy = 0;  // offset of the text in the glyph box
    bool turned = false; // mirrored on the main diagonal for vertical writing
};
CellRule cellRule(const QString &cellText, int fontMode);

enum class Face { Gothic, Mincho };

// The face names the program uses for its two faces.
QString faceName(Face face);

// CP932 code of the first character of the text: one byte (below 0x100) or
// lead * 256 + trail; 0 for an empty text.
int firstCharCode(const QString &text);

// The face of a cell by FontMode, from the CP932 code of its first character.
Face faceFor(const QString &cellText, int fontMode);

}  // namespace chimei
