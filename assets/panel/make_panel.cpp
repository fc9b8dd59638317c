// Draws the built-in faces of the fare board (backlight OFF, ON1, ON2) and writes
// each as a 256-colour PNG.
//
//   make_panel FOLDER
//
// The picture only has to look right behind the live controls: the grey cells sit
// exactly under the fare displays, the grey slot exactly under the stop-name strip,
// and the areas of the ticket-number labels stay black so their text reads. All
// positions come from the board's own geometry, so the picture follows any change
// to the layout when it is drawn again.
#include "board/board_geometry.h"

#include <QColor>
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
// The face behind the labels: black with the backlight off, lit deep blue at ON1
// and brighter at ON2, as the panel of a real board glows when its lamps are on.
const QColor kFaces[3] = {QColor(0, 0, 0), QColor(10, 24, 52), QColor(26, 54, 104)};
const QColor kCell(70, 70, 70);
const QColor kSegment(98, 98, 98);
const QColor kSlot(64, 64, 64);
const QColor kSlotRim(120, 120, 120);
const QColor kRule(88, 88, 88);

constexpr int kFrameWidth = 4;
constexpr int kDigitsPerCell = 4;

QRectF faceRect() {
    return QRectF(kFrameWidth, kFrameWidth, board::kWidth - 2 * kFrameWidth,
                  board::kHeight - 2 * kFrameWidth);
}

// Light grey casing with a raised edge, and the black face set into it with
// rounded corners.
void drawFrame(QPainter &p, const QColor &face) {
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
    const QRectF area = faceRect();
    p.setPen(Qt::NoPen);
    p.setBrush(kFaceRim);
    p.drawRoundedRect(area, 7, 7);
    p.setBrush(face);
    p.drawRoundedRect(area.adjusted(1, 1, -1, -1), 6, 6);
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

// The left column: the grey slot of the stop-name strip (運賃は and まで, over and
// under it, are drawn by the board as text, so that they stay sharp when zoomed).
void drawStrip(QPainter &p) {
    const QRect slot = board::chimeiRect();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.fillRect(slot.adjusted(-1, -1, 1, 1), kSlotRim);
    p.fillRect(slot, kSlot);

    // A thin rule parts the strip from the fare grid.
    const int ruleX = (slot.right() + 1 + board::labelRect(1).left()) / 2;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kRule);
    p.drawLine(ruleX, int(faceRect().top()) + 8, ruleX, int(faceRect().bottom()) - 8);
}

// The rule over the child-fare note along the bottom (the note itself is the board's text).
void drawNoteRule(QPainter &p) {
    const qreal gridLeft = board::labelRect(25).left();
    const qreal gridRight = board::degitRect(32).right() + 1;
    const qreal ruleY = board::degitRect(32).bottom() + 12;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kRule);
    p.drawLine(QPointF(gridLeft, ruleY), QPointF(gridRight - 1, ruleY));
}

QImage drawPanel(const QColor &face) {
    QImage img(board::kWidth, board::kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    drawFrame(p, face);
    drawStrip(p);
    drawCells(p);
    drawNoteRule(p);
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
    for (const QColor &c : {kFrame, kFrameLight, kFrameShade, kFaceRim, kCell, kSegment, kSlot, kSlotRim, kRule})
        add(c.rgb());
    // The lit faces, and the steps of their rounded corners into the rim.
    for (const QColor &face : kFaces)
        for (int k = 0; k <= 4; ++k)
            add(qRgb((face.red() * (4 - k) + kFaceRim.red() * k) / 4, (face.green() * (4 - k) + kFaceRim.green() * k) / 4,
                     (face.blue() * (4 - k) + kFaceRim.blue() * k) / 4));
    for (int g = 0; g < 256; g += 4) add(qRgb(g, g, g));
    add(qRgb(255, 255, 255));
    std::sort(table.begin(), table.end(), [](QRgb a, QRgb b) { return a < b; });
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
        err << "usage: make_panel FOLDER   (writes panel.png, panel_on1.png, panel_on2.png)\n";
        return 2;
    }
    const char *names[3] = {"panel.png", "panel_on1.png", "panel_on2.png"};
    for (int level = 0; level < 3; ++level) {
        const QString path = args.at(1) + QLatin1Char('/') + QLatin1String(names[level]);
        const QImage indexed = toPalette(drawPanel(kFaces[level]));
        if (!indexed.save(path, "PNG")) {
            err << "make_panel: cannot write " << path << "\n";
            return 1;
        }
        QTextStream(stdout) << "make_panel: wrote " << path << " (" << indexed.colorCount() << " colours)\n";
    }
    return 0;
}
