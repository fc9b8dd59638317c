#include "view/board_host.h"

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

bool paintsEveryPixel(const QWidget *w) {
    return w->testAttribute(Qt::WA_OpaquePaintEvent) ||
           (w->autoFillBackground() && w->palette().brush(w->backgroundRole()).isOpaque());
}

// The deepest widget that alone shows every pixel of `box` (face coordinates):
// drawing it alone draws the same pixels without walking the whole face.
QWidget *coverOf(QWidget *face, const QRect &box) {
    QWidget *cover = face;
    QWidget *at = face;
    QPoint origin;  // where `at` sits on the face
    for (;;) {
        QWidget *top = nullptr;
        const QObjectList &children = at->children();
        for (auto it = children.crbegin(); it != children.crend() && !top; ++it) {  // the topmost first
            auto *child = qobject_cast<QWidget *>(*it);
            if (child && !child->isWindow() && child->isVisible() && child->geometry().translated(origin).intersects(box))
                top = child;
        }
        // Nothing over the box, or something over part of it only: what is found so far draws it.
        if (!top || !top->geometry().translated(origin).contains(box) || !top->mask().isEmpty()) return cover;
        origin += top->pos();
        at = top;
        if (paintsEveryPixel(at)) cover = at;
    }
}

// Paints only the parts of the face that are really due: a fare step marks 32
// small displays, whose bounding box would cover the whole face and repaint
// every label under a 4x transform for nothing.
class BoardProxy : public QGraphicsProxyWidget {
public:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *w) override {
        QWidget *face = widget();
        const QPaintEngine *engine = painter->paintEngine();
        const QRegion due = engine ? engine->systemClip() : QRegion();
        bool invertible = false;
        const QTransform toFace = painter->deviceTransform().inverted(&invertible);
        if (!face || !face->isVisible() || due.isEmpty() || !invertible)
            return QGraphicsProxyWidget::paint(painter, option, w);
        // The view adds a device pixel around every update; mapped back it would be a
        // whole ring of face pixels around the part, repainted for nothing.
        const qreal scale = painter->deviceTransform().m11();
        const int margin = scale >= 2.0 ? 1 : 0;
        QRegion exposed;
        const QRect whole = face->rect();
        for (const QRect &r : due) {
            const QRect inner = r.width() > 2 * margin && r.height() > 2 * margin
                                    ? r.adjusted(margin, margin, -margin, -margin) : r;
            exposed += toFace.mapRect(QRectF(inner)).toAlignedRect() & whole;
        }
        exposed &= (option->exposedRect & QRectF(whole)).toAlignedRect();
        if (exposed.isEmpty()) return;
        // A scroll step is all inside the strip's canvas: drawing the canvas alone
        // saves walking the whole face, and the face's fills under it.
        QWidget *cover = coverOf(face, exposed.boundingRect());
        const QPoint at = cover == face ? QPoint() : cover->mapTo(face, QPoint());
        cover->render(painter, exposed.boundingRect().topLeft(), exposed.translated(-at));
    }
};

}  // namespace

BoardHost::BoardHost(QWidget *face, QWidget *window)
    : QGraphicsView(new QGraphicsScene, window), face_(face), window_(window), pointerTimer_(new QTimer(this)) {
    hide();
    scene()->setParent(this);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    // Dots stay dots: pictures are scaled by whole pixels, never smoothed.
    setRenderHint(QPainter::SmoothPixmapTransform, false);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    // The face is drawn whole pixels to the edge: no margin of antialiasing around a
    // repainted part (a scroll step would otherwise repaint the face around the strip).
    setOptimizationFlag(QGraphicsView::DontAdjustForAntialiasing);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The face and the black around it cover the viewport: filling it first would
    // double the pixels of every step.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    pointerTimer_->setSingleShot(true);
    pointerTimer_->setInterval(kPointerHideMs);
    connect(pointerTimer_, &QTimer::timeout, this, [this] {
        if (hidePointer_) viewport()->setCursor(Qt::BlankCursor);
    });
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
    // The view covers the whole window, full screen included.
    window_->installEventFilter(this);
}

BoardHost::~BoardHost() {
    window_->removeEventFilter(this);
    if (face_) release();
}

bool BoardHost::embedded() const { return !proxy_.isNull(); }

// Only a window can be embedded: the face becomes one while scaled, still owned by
// the board's window (its controls stay the window's controls), and never shown on a
// screen by itself.
void BoardHost::embed() {
    if (proxy_) return;
    face_->hide();
    face_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    proxy_ = new BoardProxy;
    proxy_->setWidget(face_);
    scene()->addItem(proxy_);
    face_->move(0, 0);
    face_->show();
    placeFace();
    setGeometry(window_->rect());
    show();
}

void BoardHost::release() {
    if (!proxy_) return;
    hide();
    face_->hide();
    proxy_->setWidget(nullptr);
    delete proxy_.data();
    face_->setWindowFlags(Qt::Widget);
    face_->move(0, 0);
    face_->show();
}

void BoardHost::setFactor(double factor) {
    factor_ = factor;
    placeFace();
}

void BoardHost::placeFace() {
    setTransform(QTransform::fromScale(factor_, factor_));
    setSceneRect(QRectF(QPointF(0, 0), QSizeF(face_->size())));
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

// Black only around the face: the face paints every pixel of its own.
void BoardHost::drawBackground(QPainter *painter, const QRectF &rect) {
    const QRegion around = QRegion(rect.toAlignedRect()) - QRegion(sceneRect().toRect());
    for (const QRect &r : around) painter->fillRect(r, Qt::black);
}

void BoardHost::resizeEvent(QResizeEvent *event) {
    QGraphicsView::resizeEvent(event);
    placeFace();
}

// Right button beside the board (the black of full screen) opens the view menu too.
void BoardHost::contextMenuEvent(QContextMenuEvent *event) {
    if (itemAt(event->pos())) return QGraphicsView::contextMenuEvent(event);
    emit menuRequested(event->globalPos());
}

bool BoardHost::eventFilter(QObject *watched, QEvent *event) {
    if (watched == viewport() && event->type() == QEvent::MouseMove) pointerMoved();
    if (watched == window_ && event->type() == QEvent::Resize) setGeometry(window_->rect());
    return QGraphicsView::eventFilter(watched, event);
}

}  // namespace view
