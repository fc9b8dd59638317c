#include "board/board_captions.h"

#include "board/board_geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

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

// Text centred on a horizontal position, its ink centred in the band from `top` of `room` height.
void drawCentred(QPainter &p, const QFont &font, const QString &text, qreal centreX, qreal top, qreal room) {
    p.setFont(font);
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    p.drawText(QPointF(centreX - ink.width() / 2 - ink.left(), top + (room - ink.height()) / 2 - ink.top()), text);
}

}  // namespace

void drawCaptions(QPainter &p, const QColor &colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(colour);
    const QRectF face = faceRect();

    const QRect slot = chimeiRect();
    const qreal slotCentre = slot.left() + slot.width() / 2.0;
    const QFont strip = captionFont(12);
    const qreal above = face.top() + 1;
    drawCentred(p, strip, QStringLiteral("運賃は"), slotCentre, above, slot.top() - 1 - above);
    const qreal below = slot.bottom() + 2;
    drawCentred(p, strip, QStringLiteral("まで"), slotCentre, below, face.bottom() - 2 - below);

    const QRect first = labelRect(1);
    const qreal captionTop = face.top() + 3;
    drawCentred(p, captionFont(11), QStringLiteral("整理券"), first.left() + first.width() / 2.0, captionTop,
                first.top() - 1 - captionTop);

    const qreal gridLeft = labelRect(25).left();
    const qreal gridRight = degitRect(32).right() + 1;
    const qreal ruleY = degitRect(32).bottom() + 12;
    drawCentred(p, captionFont(13, true), QStringLiteral("小児運賃は半額（10円未満切り上げ）"), (gridLeft + gridRight) / 2,
                ruleY, face.bottom() - 1 - ruleY);
    p.restore();
}

}  // namespace board
