#include "view/board_host.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTimer>

namespace view {

namespace {

constexpr int kPointerHideMs = 2000;

// Paints only the parts of the board that are really due: a fare step marks 32
// small displays, whose bounding box would cover the whole board and repaint
// every label under a 4x transform for nothing.
class BoardProxy : public QGraphicsProxyWidget {
public:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *w) override {
        QWidget *board = widget();
        const QPaintEngine *engine = painter->paintEngine();
        const QRegion due = engine ? engine->systemClip() : QRegion();
        bool invertible = false;
        const QTransform toBoard = painter->deviceTransform().inverted(&invertible);
        if (!board || !board->isVisible() || due.isEmpty() || !invertible)
            return QGraphicsProxyWidget::paint(painter, option, w);
        QRegion exposed;
        const QRect whole = board->rect();
        for (const QRect &r : due) exposed += toBoard.mapRect(QRectF(r)).toAlignedRect() & whole;
        exposed &= (option->exposedRect & QRectF(whole)).toAlignedRect();
        if (!exposed.isEmpty()) board->render(painter, exposed.boundingRect().topLeft(), exposed);
    }
};

}  // namespace

BoardHost::BoardHost(QWidget *board)
    : QGraphicsView(new QGraphicsScene), board_(board), pointerTimer_(new QTimer(this)) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setObjectName(QStringLiteral("BoardView"));
    setWindowTitle(board->windowTitle());
    scene()->setParent(this);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    proxy_ = new BoardProxy;
    proxy_->setWidget(board_);
    scene()->addItem(proxy_);
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

// Black only around the board: the board paints every pixel of its own.
void BoardHost::drawBackground(QPainter *painter, const QRectF &rect) {
    const QRegion around = QRegion(rect.toAlignedRect()) - QRegion(sceneRect().toRect());
    for (const QRect &r : around) painter->fillRect(r, Qt::black);
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
