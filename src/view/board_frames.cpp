#include "view/board_frames.h"

#include <QChildEvent>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <utility>

namespace view {

BoardFrames::BoardFrames(QWidget *board, double factor, QObject *parent)
    : QObject(parent), board_(board), factor_(factor) {
    watch(board_);
}

void BoardFrames::watch(QWidget *w) {
    w->installEventFilter(this);
    for (QWidget *child : w->findChildren<QWidget *>()) child->installEventFilter(this);
}

QSize BoardFrames::size() const {
    auto even = [this](int n) { return (int(std::ceil(n * factor_)) + 1) / 2 * 2; };
    return QSize(even(board_->width()), even(board_->height()));
}

bool BoardFrames::eventFilter(QObject *watched, QEvent *event) {
    if (rendering_) return false;
    auto *w = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::Paint: {
        const QRect inBoard(w->mapTo(board_, QPoint(0, 0)), w->size());
        dirty_ += static_cast<QPaintEvent *>(event)->rect().translated(inBoard.topLeft()).intersected(inBoard);
        break;
    }
    case QEvent::ChildAdded:
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child())) watch(child);
        whole_ = true;
        break;
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        whole_ = true;
        break;
    default:
        break;
    }
    return false;
}

QImage BoardFrames::frame() {
    // A hidden board gets no paint events; it is drawn whole each time then.
    if (!board_->isVisible()) whole_ = true;
    if (picture_.size() != size()) {
        picture_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        // Filled now, with the whole picture drawn anyway: its pages are in memory
        // before the recording's clock runs.
        spare_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        spare_.fill(Qt::transparent);
        whole_ = true;
    }
    const QRegion shape = !shape_.isEmpty()          ? shape_
                          : board_->mask().isEmpty() ? QRegion(board_->rect())
                                                     : board_->mask();
    const QRegion box = whole_ ? shape : dirty_.intersected(shape);
    dirty_ = QRegion();
    if (box.isEmpty()) return picture_;
    // The encoder may still hold the last picture. The next one is drawn on a copy in
    // the spare buffer: a fresh 4x picture each time would cost its page faults,
    // several milliseconds, on the window thread.
    if (!picture_.isDetached()) {
        if (!spare_.isDetached() || spare_.size() != picture_.size())
            spare_ = QImage(picture_.size(), picture_.format());
        if (!whole_) std::memcpy(spare_.bits(), picture_.constBits(), size_t(picture_.sizeInBytes()));
        std::swap(picture_, spare_);
    }
    if (whole_) picture_.fill(Qt::transparent);
    whole_ = false;
    picture_.setDevicePixelRatio(factor_);
    {
        rendering_ = true;
        QPainter p(&picture_);
        p.setClipRegion(box);
        // render() puts the region's top-left at the offset it is given.
        board_->render(&p, box.boundingRect().topLeft(), box, QWidget::DrawWindowBackground | QWidget::DrawChildren);
        rendering_ = false;
    }
    picture_.setDevicePixelRatio(1);
    return picture_;
}

}  // namespace view
