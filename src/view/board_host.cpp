#include "view/board_host.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QTimer>

namespace view {

namespace {
constexpr int kPointerHideMs = 2000;
}

BoardHost::BoardHost(QWidget *board)
    : QGraphicsView(new QGraphicsScene), board_(board), pointerTimer_(new QTimer(this)) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setObjectName(QStringLiteral("BoardView"));
    setWindowTitle(board->windowTitle());
    scene()->setParent(this);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(Qt::black);
    setAlignment(Qt::AlignCenter);
    // Dots stay dots: pictures are scaled by whole pixels, never smoothed.
    setRenderHint(QPainter::SmoothPixmapTransform, false);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setAttribute(Qt::WA_OpaquePaintEvent);
    pointerTimer_->setSingleShot(true);
    pointerTimer_->setInterval(kPointerHideMs);
    connect(pointerTimer_, &QTimer::timeout, this, [this] {
        if (hidePointer_) viewport()->setCursor(Qt::BlankCursor);
    });
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
}

BoardHost::~BoardHost() { release(); }

bool BoardHost::embedded() const { return proxy_ != nullptr; }

void BoardHost::embed() {
    if (proxy_) return;
    board_->hide();
    proxy_ = scene()->addWidget(board_);
    board_->move(0, 0);
    board_->show();
    placeBoard();
}

void BoardHost::release() {
    if (!proxy_) return;
    proxy_->setWidget(nullptr);
    delete proxy_;
    proxy_ = nullptr;
    board_->hide();
}

void BoardHost::setFactor(double factor) {
    factor_ = factor;
    placeBoard();
}

void BoardHost::placeBoard() {
    setTransform(QTransform::fromScale(factor_, factor_));
    setSceneRect(QRectF(QPointF(0, 0), QSizeF(board_->size())));
}

void BoardHost::setPointerHiding(bool on) {
    hidePointer_ = on;
    viewport()->unsetCursor();
    if (on) pointerTimer_->start();
    else pointerTimer_->stop();
}

void BoardHost::pointerMoved() {
    if (!hidePointer_) return;
    viewport()->unsetCursor();
    pointerTimer_->start();
}

void BoardHost::resizeEvent(QResizeEvent *event) {
    QGraphicsView::resizeEvent(event);
    placeBoard();
}

// Right button beside the board (the black of full screen) opens the view menu too.
void BoardHost::contextMenuEvent(QContextMenuEvent *event) {
    if (itemAt(event->pos())) return QGraphicsView::contextMenuEvent(event);
    emit menuRequested(event->globalPos());
}

// Closing the scaled board is closing the board.
void BoardHost::closeEvent(QCloseEvent *event) {
    event->ignore();
    emit closeRequested();
}

bool BoardHost::eventFilter(QObject *watched, QEvent *event) {
    if (watched == viewport() && event->type() == QEvent::MouseMove) pointerMoved();
    return QGraphicsView::eventFilter(watched, event);
}

}  // namespace view
