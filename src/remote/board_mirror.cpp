#include "remote/board_mirror.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace remote {

QRect changedRect(const QImage &part, const QImage &whole, QPoint at) {
    int top = -1, bottom = -1, left = part.width(), right = -1;
    const int w = part.width();
    for (int y = 0; y < part.height(); ++y) {
        const auto *pa = reinterpret_cast<const quint32 *>(part.constScanLine(y));
        const auto *pb = reinterpret_cast<const quint32 *>(whole.constScanLine(y + at.y())) + at.x();
        if (std::memcmp(pa, pb, sizeof(quint32) * w) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int x0 = 0;
        while (pa[x0] == pb[x0]) ++x0;
        int x1 = w - 1;
        while (pa[x1] == pb[x1]) --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

BoardMirror::BoardMirror(QWidget *board, std::function<int()> viewers, QObject *parent)
    : QObject(parent), board_(board), viewers_(std::move(viewers)), timer_(new QTimer(this)) {
    board_->installEventFilter(this);
    for (QWidget *child : board_->findChildren<QWidget *>()) child->installEventFilter(this);
    connect(timer_, &QTimer::timeout, this, &BoardMirror::tick);
    timer_->start(kIntervalMs);
}

void BoardMirror::sendWhole() { whole_ = true; }

bool BoardMirror::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint && !rendering_) {
        auto *w = static_cast<QWidget *>(watched);
        const QRect inBoard(w->mapTo(board_, QPoint(0, 0)), w->size());
        dirty_ += static_cast<QPaintEvent *>(event)->rect().translated(inBoard.topLeft()).intersected(inBoard);
    }
    return false;
}

void BoardMirror::tick() {
    if (viewers_() == 0) {
        dirty_ = QRegion();
        return;
    }
    const QSize full = board_->size() * kScale;
    if (last_.size() != full) {
        last_ = QImage(full, QImage::Format_RGB32);
        whole_ = true;
    }
    if (!whole_ && dirty_.isEmpty()) return;
    const QRect box = whole_ ? board_->rect() : dirty_.boundingRect().intersected(board_->rect());
    dirty_ = QRegion();
    if (box.isEmpty()) return;

    QImage part(box.size() * kScale, QImage::Format_RGB32);
    part.setDevicePixelRatio(kScale);
    {
        // Drawing the board repaints it into the picture: not a change of its own.
        rendering_ = true;
        QPainter p(&part);
        board_->render(&p, QPoint(), QRegion(box), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        rendering_ = false;
    }
    part.setDevicePixelRatio(1);
    const QPoint at = box.topLeft() * kScale;
    const QRect changed = whole_ ? part.rect() : changedRect(part, last_, at);
    whole_ = false;
    if (changed.isEmpty()) return;
    {
        QPainter p(&last_);
        p.drawImage(at, part);
    }
    emit patch(part.copy(changed), changed.topLeft() + at, full);
}

}  // namespace remote
