#include "board/board_face.h"

#include "board/board_captions.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

BoardFace::BoardFace(QWidget *window) : QWidget(window), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardFace::setPicture(const QImage &picture) {
    picture_ = picture;
    update();
}

void BoardFace::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    // A user picture smaller than the board leaves grey around it; a larger one is cut.
    p.fillRect(rect(), QColor(192, 192, 192));
    if (picture_.isNull()) return;
    p.drawImage(0, 0, picture_);
    // The built-in faces leave their words to be drawn as text, sharp at any zoom.
    if (wordless_.contains(picture_.cacheKey())) board::drawCaptions(p, event->region());
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
