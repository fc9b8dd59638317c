#include "board/board_face.h"

#include "board/board_captions.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <cmath>

BoardFace::BoardFace(QWidget *window) : QWidget(window), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardFace::setPicture(const QImage &picture) {
    picture_ = picture;
    scaled_ = QImage();
    update();
}

void BoardFace::drawFace(QPainter &p, const QRegion &region) const {
    // A user picture smaller than the board leaves grey around it; a larger one is cut.
    p.fillRect(rect(), QColor(192, 192, 192));
    if (picture_.isNull()) return;
    p.drawImage(0, 0, picture_);
    // The built-in faces leave their words to be drawn as text, sharp at any zoom.
    if (wordless_.contains(picture_.cacheKey())) board::drawCaptions(p, region);
}

const QImage &BoardFace::scaledFace(int scale) {
    if (scaled_.isNull() || scaled_.devicePixelRatio() != scale || scaled_.size() != size() * scale) {
        scaled_ = QImage(size() * scale, QImage::Format_ARGB32_Premultiplied);
        scaled_.setDevicePixelRatio(scale);
        QPainter p(&scaled_);
        drawFace(p, rect());
    }
    return scaled_;
}

void BoardFace::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    const QTransform t = p.deviceTransform();
    const qreal scale = t.m11();
    const bool whole = t.type() <= QTransform::TxScale && scale >= 2 && scale <= 8 && scale == t.m22() &&
                       scale == std::floor(scale);
    if (!whole) return drawFace(p, event->region());
    const QImage &face = scaledFace(int(scale));
    const QRect due = event->rect();
    p.drawImage(due, face, QRect(due.topLeft() * int(scale), due.size() * int(scale)));
}

// Over a label or a display too: the board has no other use for the right button.
void BoardFace::contextMenuEvent(QContextMenuEvent *event) { emit menuRequested(event->globalPos()); }

void BoardFace::mousePressEvent(QMouseEvent *event) {
    // Only the background drags the board, and only with the left button.
    if (event->button() != Qt::LeftButton || childAt(event->position().toPoint()) != nullptr) {
        event->ignore();
        return;
    }
    if (QWindow *w = window_->windowHandle(); w && w->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - window_->frameGeometry().topLeft();
}

void BoardFace::mouseMoveEvent(QMouseEvent *event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) window_->move(event->globalPosition().toPoint() - dragOffset_);
}

void BoardFace::mouseReleaseEvent(QMouseEvent *) { dragging_ = false; }
