// Draws the built-in face of the fare board and writes it as a 256-colour PNG.
//
//   make_panel OUTPUT.png
//
// The picture only has to look right behind the live controls: the grey cells sit
// exactly under the fare displays, the grey slot exactly under the stop-name strip,
// and the areas of the ticket-number labels stay black so their text reads. All
// positions come from the board's own geometry, so the picture follows any change
// to the layout when it is drawn again.
#include "board/board_geometry.h"

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPolygonF>
#include <QTextStream>

#include <algorithm>

namespace {

const QColor kFrame(198, 198, 198);
const QColor kFrameLight(236, 236, 236);
const QColor kFrameShade(128, 128, 128);
const QColor kFaceRim(72, 72, 72);
const QColor kFace(0, 0, 0);
const QColor kCell(70, 70, 70);
const QColor kSegment(98, 98, 98);
const QColor kSlot(64, 64, 64);
const QColor kSlotRim(120, 120, 120);
const QColor kText(255, 255, 255);
const QColor kRule(88, 88, 88);

constexpr int kFrameWidth = 4;
constexpr int kDigitsPerCell = 4;

const QString kFontFamily = QStringLiteral("IPAPGothic");

QFont boardFont(qreal pixelSize, bool bold = false) {
    QFont f(kFontFamily);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    // Grey-scale edges only: the palette holds greys, not coloured fringes.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QRectF faceRect() {
    return QRectF(kFrameWidth, kFrameWidth, board::kWidth - 2 * kFrameWidth,
                  board::kHeight - 2 * kFrameWidth);
}

// Light grey casing with a raised edge, and the black face set into it with
// rounded corners.
void drawFrame(QPainter &p) {
    const QRectF all(0, 0, board::kWidth, board::kHeight);
    p.fillRect(all, kFrame);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kFrameLight);
    p.drawLine(0, 0, board::kWidth - 1, 0);
    p.drawLine(0, 0, 0, board::kHeight - 1);
    p.setPen(kFrameShade);
    p.drawLine(1, board::kHeight - 1, board::kWidth - 1, board::kHeight - 1);
    p.drawLine(board::kWidth - 1, 1, board::kWidth - 1, board::kHeight - 1);

    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF face = faceRect();
    p.setPen(Qt::NoPen);
    p.setBrush(kFaceRim);
    p.drawRoundedRect(face, 7, 7);
    p.setBrush(kFace);
    p.drawRoundedRect(face.adjusted(1, 1, -1, -1), 6, 6);
}

// One horizontal or vertical bar of a seven-segment digit, with pointed ends.
QPolygonF segment(QPointF from, QPointF to, qreal half) {
    if (from.y() == to.y()) {
        return QPolygonF({from, {from.x() + half, from.y() - half}, {to.x() - half, to.y() - half}, to,
                          {to.x() - half, to.y() + half}, {from.x() + half, from.y() + half}});
    }
    return QPolygonF({from, {from.x() + half, from.y() + half}, {to.x() + half, to.y() - half}, to,
                      {to.x() - half, to.y() - half}, {from.x() - half, from.y() + half}});
}

// An unlit 8 in a digit position of the given width and height.
void drawEight(QPainter &p, const QRectF &cell) {
    const qreal half = 1.0;   // bars 2 px thick
    const qreal gap = 0.6;    // between the ends of neighbouring bars
    const qreal left = cell.left() + 3.0, right = cell.right() - 2.0;
    const qreal top = cell.top() + 2.5, bottom = cell.bottom() - 2.5;
    const qreal mid = (top + bottom) / 2;
    p.drawPolygon(segment({left + gap, top}, {right - gap, top}, half));        // a
    p.drawPolygon(segment({right, top + gap}, {right, mid - gap}, half));       // b
    p.drawPolygon(segment({right, mid + gap}, {right, bottom - gap}, half));    // c
    p.drawPolygon(segment({left + gap, bottom}, {right - gap, bottom}, half));  // d
    p.drawPolygon(segment({left, mid + gap}, {left, bottom - gap}, half));      // e
    p.drawPolygon(segment({left, top + gap}, {left, mid - gap}, half));         // f
    p.drawPolygon(segment({left + gap, mid}, {right - gap, mid}, half));        // g
}

// The 32 grey cells behind the fare displays, each with its unlit 8888.
void drawCells(QPainter &p) {
    for (int i = 1; i <= 32; ++i) {
        const QRect r = board::degitRect(i);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(r, kCell);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(kSegment);
        const qreal w = qreal(r.width()) / kDigitsPerCell;
        for (int d = 0; d < kDigitsPerCell; ++d)
            drawEight(p, QRectF(r.left() + d * w, r.top(), w, r.height()));
    }
}

// Text centred on a horizontal position with its glyphs' top at the given line.
void drawCentred(QPainter &p, const QFont &font, const QString &text, qreal centreX, qreal top) {
    p.setFont(font);
    const QFontMetricsF fm(font);
    const QRectF ink = fm.tightBoundingRect(text);
    p.setPen(kText);
    p.drawText(QPointF(centreX - ink.width() / 2 - ink.left(), top - ink.top()), text);
}

// The left column: 運賃は over the grey slot of the stop-name strip, まで under it.
void drawStrip(QPainter &p) {
    const QRect slot = board::chimeiRect();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.fillRect(slot.adjusted(-1, -1, 1, 1), kSlotRim);
    p.fillRect(slot, kSlot);

    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal centre = slot.left() + slot.width() / 2.0;
    const QFont font = boardFont(12);
    const QFontMetricsF fm(font);
    const qreal above = faceRect().top() + 1;
    const qreal gapAbove = slot.top() - 1 - above;
    const qreal inkHeight = fm.tightBoundingRect(QStringLiteral("運賃は")).height();
    drawCentred(p, font, QStringLiteral("運賃は"), centre, above + (gapAbove - inkHeight) / 2);
    const qreal below = slot.bottom() + 2;
    const qreal gapBelow = faceRect().bottom() - 2 - below;
    const qreal inkBelow = fm.tightBoundingRect(QStringLiteral("まで")).height();
    drawCentred(p, font, QStringLiteral("まで"), centre, below + (gapBelow - inkBelow) / 2);

    // A thin rule parts the strip from the fare grid.
    const int ruleX = (slot.right() + 1 + board::labelRect(1).left()) / 2;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kRule);
    p.drawLine(ruleX, int(faceRect().top()) + 8, ruleX, int(faceRect().bottom()) - 8);
}

// 整理券 over the first column, and the child-fare note along the bottom.
void drawCaptions(QPainter &p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect first = board::labelRect(1);
    const QFont small = boardFont(11);
    const qreal inkHeight = QFontMetricsF(small).tightBoundingRect(QStringLiteral("整理券")).height();
    const qreal captionTop = faceRect().top() + 3;
    const qreal room = first.top() - 1 - captionTop;
    drawCentred(p, small, QStringLiteral("整理券"), first.left() + first.width() / 2.0,
                captionTop + (room - inkHeight) / 2);

    const QRect lastRow = board::degitRect(32);
    const qreal gridLeft = board::labelRect(25).left();
    const qreal gridRight = board::degitRect(32).right() + 1;
    const qreal ruleY = lastRow.bottom() + 12;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kRule);
    p.drawLine(QPointF(gridLeft, ruleY), QPointF(gridRight - 1, ruleY));

    p.setRenderHint(QPainter::Antialiasing, true);
    const QFont note = boardFont(13, true);
    const QString text = QStringLiteral("小児運賃は半額（10円未満切り上げ）");
    const qreal noteHeight = QFontMetricsF(note).tightBoundingRect(text).height();
    const qreal space = faceRect().bottom() - 1 - ruleY;
    drawCentred(p, note, text, (gridLeft + gridRight) / 2, ruleY + (space - noteHeight) / 2);
}

QImage drawPanel() {
    QImage img(board::kWidth, board::kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    drawFrame(p);
    drawStrip(p);
    drawCells(p);
    drawCaptions(p);
    p.end();
    return img;
}

// The flat colours of the drawing exactly, plus a ramp of greys for the soft edges
// of text and curves. Every pixel takes its nearest entry, without dithering, so
// flat areas stay flat; an edge moves by at most two grey levels, which no eye sees.
QList<QRgb> boardPalette() {
    QList<QRgb> table;
    const auto add = [&table](QRgb c) {
        if (!table.contains(c)) table.append(c);
    };
    for (const QColor &c : {kFrame, kFrameLight, kFrameShade, kFaceRim, kFace, kCell, kSegment, kSlot,
                            kSlotRim, kText, kRule})
        add(c.rgb());
    for (int g = 0; g < 256; g += 4) add(qRgb(g, g, g));
    add(qRgb(255, 255, 255));
    std::sort(table.begin(), table.end(), [](QRgb a, QRgb b) { return qGray(a) < qGray(b); });
    return table;
}

QImage toPalette(const QImage &img) {
    return img.convertToFormat(QImage::Format_Indexed8, boardPalette(), Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: make_panel OUTPUT.png\n";
        return 2;
    }
    if (QFontInfo(boardFont(12)).family() != kFontFamily)
        err << "make_panel: warning: " << kFontFamily << " is not installed, the captions use "
            << QFontInfo(boardFont(12)).family() << "\n";
    const QImage indexed = toPalette(drawPanel());
    if (!indexed.save(args.at(1), "PNG")) {
        err << "make_panel: cannot write " << args.at(1) << "\n";
        return 1;
    }
    QTextStream(stdout) << "make_panel: wrote " << args.at(1) << " (" << indexed.colorCount()
                        << " colours)\n";
    return 0;
}
