#include "board/board_captions.h"

#include "board/board_geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>
#include <QString>

#include <vector>

namespace board {

namespace {

constexpr int kFrameWidth = 4;

QRectF faceRect() { return QRectF(kFrameWidth, kFrameWidth, kWidth - 2 * kFrameWidth, kHeight - 2 * kFrameWidth); }

QFont captionFont(qreal pixelSize, bool bold = false) {
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

struct Caption {
    QFont font;
    QString text;
    QPointF origin;  // where drawText puts it
    QRect bounds;    // its ink, with a pixel of antialiasing around
};

// Text centred on a horizontal position, its ink centred in the band from `top` of `room` height.
Caption centred(const QFont &font, const QString &text, qreal centreX, qreal top, qreal room) {
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    const QPointF origin(centreX - ink.width() / 2 - ink.left(), top + (room - ink.height()) / 2 - ink.top());
    return {font, text, origin, ink.translated(origin).toAlignedRect().adjusted(-1, -1, 1, 1)};
}

// Measured once: a repaint of the strip or of a display next to a word need not
// shape the words again.
const std::vector<Caption> &captions() {
    static const std::vector<Caption> all = [] {
        const QRectF face = faceRect();
        const QRect slot = chimeiRect();
        const qreal slotCentre = slot.left() + slot.width() / 2.0;
        const QFont strip = captionFont(12);
        const qreal above = face.top() + 1;
        const qreal below = slot.bottom() + 2;
        const QRect first = labelRect(1);
        const qreal captionTop = face.top() + 3;
        const qreal gridLeft = labelRect(25).left();
        const qreal gridRight = degitRect(32).right() + 1;
        const qreal ruleY = degitRect(32).bottom() + 12;
        return std::vector<Caption>{
            centred(strip, QStringLiteral("運賃は"), slotCentre, above, slot.top() - 1 - above),
            centred(strip, QStringLiteral("まで"), slotCentre, below, face.bottom() - 2 - below),
            centred(captionFont(11), QStringLiteral("整理券"), first.left() + first.width() / 2.0, captionTop,
                    first.top() - 1 - captionTop),
            centred(captionFont(13, true), QStringLiteral("小児運賃は半額（10円未満切り上げ）"), (gridLeft + gridRight) / 2,
                    ruleY, face.bottom() - 1 - ruleY),
        };
    }();
    return all;
}

}  // namespace

void drawCaptions(QPainter &p, const QRegion &due, const QColor &colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(colour);
    for (const Caption &c : captions()) {
        if (!due.intersects(c.bounds)) continue;
        p.setFont(c.font);
        p.drawText(c.origin, c.text);
    }
    p.restore();
}

}  // namespace board
