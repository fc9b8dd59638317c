#include "widgets/digit_faces.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QTransform>

#include <array>
#include <cmath>

namespace digit_faces {

namespace {

constexpr std::array<SizeStep, 4> kSizes{{
    {13, 20, 18},
    {17, 26, 24},
    {19, 29, 27},
    {11, 15, 14},
}};

// The box a glyph's segments fill, in cell coordinates. The control draws its
// cells one pixel above its top edge, so the boxes sit one pixel lower to look
// centred in the control. Left and right margins
// keep a dark gap between neighbouring lamps.
struct Box {
    double left, top, width, height, thickness;
};

constexpr std::array<Box, 4> kBoxes{{
    {2, 3, 9, 16, 2.2},
    {3, 4, 11, 20, 2.9},
    {3, 4, 13, 23, 3.3},
    {2, 3, 7, 11, 1.8},
}};

enum class Face { A, B, C };

Face faceOf(int degitStyle) {
    if (degitStyle == 1) return Face::B;
    if (degitStyle == 2) return Face::C;
    return Face::A;
}

int sizeIndex(int degitSize) { return degitSize >= 1 && degitSize <= 3 ? degitSize : 0; }

// The corners of the segment skeleton: the centre lines of the outer bars and of
// the middle bar. Horizontal bars have whole-pixel outer edges so that even the
// thinnest one has a row of fully lit pixels.
struct Skeleton {
    double x0, x1, y0, ym, y1, t;
};

Skeleton skeletonOf(const Box &b, double t) {
    Skeleton s;
    s.t = t;
    s.x0 = b.left + t / 2;
    s.x1 = b.left + b.width - t / 2;
    s.y0 = b.top + t / 2;
    s.y1 = b.top + b.height - t / 2;
    s.ym = std::round(b.top + b.height / 2 - t / 2) + t / 2;
    return s;
}

struct SegmentLine {
    QPointF from, to;
};

std::array<SegmentLine, 7> segmentLines(const Skeleton &s) {
    return {{
        {{s.x0, s.y0}, {s.x1, s.y0}},  // a
        {{s.x1, s.y0}, {s.x1, s.ym}},  // b
        {{s.x1, s.ym}, {s.x1, s.y1}},  // c
        {{s.x0, s.y1}, {s.x1, s.y1}},  // d
        {{s.x0, s.ym}, {s.x0, s.y1}},  // e
        {{s.x0, s.y0}, {s.x0, s.ym}},  // f
        {{s.x0, s.ym}, {s.x1, s.ym}},  // g
    }};
}

// How a bar ends: where its two long edges stop, measured inward along the bar
// from the end of its centre line, and whether it closes with a point on the
// centre line. `leftEdge` is the edge on the left when looking from `from` to `to`.
struct Cap {
    double leftEdge, rightEdge;
    bool point;
};

QPolygonF bar(const SegmentLine &line, double t, double gap, Cap capFrom, Cap capTo) {
    const QPointF d = line.to - line.from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(u.y(), -u.x());  // left of the direction of travel (y grows downwards)
    const double h = t / 2;
    const QPointF a = line.from + u * gap;
    const QPointF z = line.to - u * gap;
    QPolygonF poly;
    if (capFrom.point) poly << a;
    poly << a + u * capFrom.leftEdge + n * h;
    poly << z - u * capTo.leftEdge + n * h;
    if (capTo.point) poly << z;
    poly << z - u * capTo.rightEdge - n * h;
    poly << a + u * capFrom.rightEdge - n * h;
    return poly;
}

// Face A: every bar ends in a point, so the bars meet at the corners like a
// classic LED digit.
std::array<QPolygonF, 7> barsA(const Skeleton &s, double gap) {
    const Cap pointed{s.t / 2, s.t / 2, true};
    std::array<QPolygonF, 7> out;
    const auto lines = segmentLines(s);
    for (int i = 0; i < 7; ++i) out[i] = bar(lines[i], s.t, gap, pointed, pointed);
    return out;
}

// Face B: the outer corners are mitred (the outer edge runs to the corner, the
// inner one stops short), the middle junctions are pointed: the heavy bars of a
// fare display's segment digits.
std::array<QPolygonF, 7> barsB(const Skeleton &s, double gap) {
    const double h = s.t / 2;
    const Cap pointed{h, h, true};
    // Outer edge reaching the corner, inner edge stopping a thickness short.
    const Cap outerLeft{-h, h, false};
    const Cap outerRight{h, -h, false};
    const auto l = segmentLines(s);
    std::array<QPolygonF, 7> out;
    // a runs left to right; its left side (normal pointing up) is the outside.
    out[0] = bar(l[0], s.t, gap, outerLeft, outerLeft);
    // b runs downwards at the right; its left side points right: outside.
    out[1] = bar(l[1], s.t, gap, outerLeft, pointed);
    out[2] = bar(l[2], s.t, gap, pointed, outerLeft);
    // d runs left to right at the bottom; its right side points down: outside.
    out[3] = bar(l[3], s.t, gap, outerRight, outerRight);
    // e and f run downwards at the left; their right side points left: outside.
    out[4] = bar(l[4], s.t, gap, pointed, outerRight);
    out[5] = bar(l[5], s.t, gap, outerRight, pointed);
    out[6] = bar(l[6], s.t, gap, pointed, pointed);
    return out;
}

// Face C: slim bars with fully rounded ends and open corners, each segment a
// separate glowing tube, like a vacuum fluorescent digit.
QPainterPath roundedC(const Skeleton &s, double gap, unsigned mask) {
    const auto lines = segmentLines(s);
    const double h = s.t / 2;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int i = 0; i < 7; ++i) {
        if (!(mask & (1u << i))) continue;
        const SegmentLine &l = lines[i];
        const bool horizontal = l.from.y() == l.to.y();
        const QRectF r =
            horizontal ? QRectF(QPointF(l.from.x() + gap, l.from.y() - h), QPointF(l.to.x() - gap, l.to.y() + h))
                       : QRectF(QPointF(l.from.x() - h, l.from.y() + gap), QPointF(l.to.x() + h, l.to.y() - gap));
        path.addRoundedRect(r, h, h);
    }
    return path;
}

QPainterPath buildGlyph(Face face, int size, bool bold, unsigned mask) {
    const Box &b = kBoxes[size];
    const double t = bold ? b.thickness : std::max(1.5, b.thickness * 0.75);
    if (face == Face::C) return roundedC(skeletonOf(b, std::max(1.6, t * 0.85)), size == 3 ? 0.5 : 1.1, mask);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (face == Face::A) {
        const auto bars = barsA(skeletonOf(b, t), size == 3 ? 0.4 : 0.6);
        for (int i = 0; i < 7; ++i)
            if (mask & (1u << i)) path.addPolygon(bars[i]), path.closeSubpath();
        return path;
    }
    // Face B leans right: the top moves right by `slant`; the upright box is
    // narrowed by the same amount so the leaning glyph still fits its position.
    const double slant = std::round(b.height * 0.09);
    const Box upright{b.left - 0.5, b.top, b.width + 1 - slant, b.height, t};
    const auto bars = barsB(skeletonOf(upright, t), 0.45);
    const double bottom = b.top + b.height;
    const QTransform lean(1, 0, -slant / b.height, 1, slant * bottom / b.height, 0);
    for (int i = 0; i < 7; ++i)
        if (mask & (1u << i)) path.addPolygon(lean.map(bars[i])), path.closeSubpath();
    return path;
}

const QPainterPath &glyph(Face face, int size, bool bold, unsigned mask) {
    static QHash<unsigned, QPainterPath> cache;
    const unsigned key = (unsigned(face) << 10) | (unsigned(size) << 8) | (bold ? 0x80u : 0u) | mask;
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.insert(key, buildGlyph(face, size, bold, mask));
    return *it;
}

}  // namespace

SizeStep sizeStep(int degitSize) { return kSizes[sizeIndex(degitSize)]; }

QString faceName(int degitStyle) {
    switch (faceOf(degitStyle)) {
    case Face::B:
        return QStringLiteral("M_DegitB");
    case Face::C:
        return QStringLiteral("M_DegitC");
    default:
        return QStringLiteral("M_DegitA");
    }
}

unsigned segmentsFor(QChar c) {
    // Full-width digits and minus look the same as their half-width forms.
    if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19) c = QChar(c.unicode() - 0xFF10 + '0');
    if (c.unicode() == 0xFF0D || c.unicode() == 0x2212) c = QLatin1Char('-');
    switch (c.unicode()) {
    case '0': case 'O': case 'D': return SegA | SegB | SegC | SegD | SegE | SegF;
    case '1': return SegB | SegC;
    case '2': case 'Z': case 'z': return SegA | SegB | SegG | SegE | SegD;
    case '3': return SegA | SegB | SegG | SegC | SegD;
    case '4': return SegF | SegG | SegB | SegC;
    case '5': case 'S': case 's': return SegA | SegF | SegG | SegC | SegD;
    case '6': return SegA | SegF | SegG | SegE | SegD | SegC;
    case '7': return SegA | SegB | SegC;
    case '8': case 'B': return AllSegments;
    case '9': return SegA | SegB | SegC | SegD | SegF | SegG;
    case '-': return SegG;
    case '_': return SegD;
    case '=': return SegD | SegG;
    case 'A': case 'a': return SegA | SegB | SegC | SegE | SegF | SegG;
    case 'b': return SegC | SegD | SegE | SegF | SegG;
    case 'C': return SegA | SegD | SegE | SegF;
    case 'c': return SegD | SegE | SegG;
    case 'd': return SegB | SegC | SegD | SegE | SegG;
    case 'E': case 'e': return SegA | SegD | SegE | SegF | SegG;
    case 'F': case 'f': return SegA | SegE | SegF | SegG;
    case 'G': case 'g': return SegA | SegC | SegD | SegE | SegF;
    case 'H': return SegB | SegC | SegE | SegF | SegG;
    case 'h': return SegC | SegE | SegF | SegG;
    case 'I': case 'i': return SegE | SegF;
    case 'J': case 'j': return SegB | SegC | SegD | SegE;
    case 'L': case 'l': return SegD | SegE | SegF;
    case 'N': case 'n': return SegC | SegE | SegG;
    case 'o': return SegC | SegD | SegE | SegG;
    case 'P': case 'p': return SegA | SegB | SegE | SegF | SegG;
    case 'Q': case 'q': return SegA | SegB | SegC | SegF | SegG;
    case 'R': case 'r': return SegE | SegG;
    case 'T': case 't': return SegD | SegE | SegF | SegG;
    case 'U': return SegB | SegC | SegD | SegE | SegF;
    case 'u': case 'v': return SegC | SegD | SegE;
    case 'Y': case 'y': return SegB | SegC | SegD | SegF | SegG;
    default: return 0;
    }
}

int textWidth(const QString &text, int degitSize, int charExtra) {
    return int(text.size()) * (sizeStep(degitSize).cellWidth + charExtra);
}

void drawText(QPainter &p, const QString &text, int x, int y, int degitSize, int degitStyle, bool bold,
              int charExtra, const QColor &color) {
    const int size = sizeIndex(degitSize);
    const Face face = faceOf(degitStyle);
    const int advance = kSizes[size].cellWidth + charExtra;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned mask = segmentsFor(text[i]);
        if (!mask) continue;
        p.drawPath(glyph(face, size, bold, mask).translated(x + double(i) * advance, y));
    }
    p.restore();
}

namespace {

// One lit glyph rasterised at a whole device scale, with where its top-left pixel
// lies relative to the cell origin (in device pixels).
struct ScaledGlyph {
    QImage image;
    QPoint offset;
};

const ScaledGlyph &scaledGlyph(Face face, int size, bool bold, unsigned mask, QRgb color, int scale) {
    static QHash<quint64, ScaledGlyph> cache;
    const quint64 key = (quint64(color) << 32) | (quint64(mask) << 16) | (quint64(scale) << 8) |
                        (quint64(face) << 4) | (quint64(size) << 1) | quint64(bold);
    if (const auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    if (cache.size() > 2048) cache.clear();  // colours come and go; the working set is small
    const QPainterPath &path = glyph(face, size, bold, mask);
    const QRectF box = path.boundingRect();
    const QPoint origin(int(std::floor(box.left())) - 1, int(std::floor(box.top())) - 1);
    const QSize cells(int(std::ceil(box.right())) + 2 - origin.x(), int(std::ceil(box.bottom())) + 2 - origin.y());
    ScaledGlyph g{QImage(cells * scale, QImage::Format_ARGB32_Premultiplied), origin * scale};
    g.image.fill(Qt::transparent);
    QPainter p(&g.image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(color));
    p.scale(scale, scale);
    p.translate(-origin);
    p.drawPath(path);
    p.end();
    return *cache.insert(key, g);
}

}  // namespace

void drawTextScaled(QImage &target, const QRect &clip, const QString &text, int x, int y, int degitSize,
                    int degitStyle, bool bold, int charExtra, const QColor &color, int scale) {
    const int size = sizeIndex(degitSize);
    const Face face = faceOf(degitStyle);
    const int advance = kSizes[size].cellWidth + charExtra;
    QPainter p(&target);
    p.setClipRect(clip);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned mask = segmentsFor(text[i]);
        if (!mask) continue;
        const ScaledGlyph &g = scaledGlyph(face, size, bold, mask, color.rgb(), scale);
        p.drawImage(QPoint((x + int(i) * advance) * scale, y * scale) + g.offset, g.image);
    }
}

}  // namespace digit_faces
