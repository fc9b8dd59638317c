#include "panel/preview_box.h"

#include <QMouseEvent>
#include <QPainter>

PreviewBox::PreviewBox(QWidget *parent) : QWidget(parent) { clear(); }

void PreviewBox::clear() {
    image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::white);
    update();
}

void PreviewBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, image_);
}

void PreviewBox::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton) emit rightPressed(event->globalPosition().toPoint());
}

void PreviewBox::resizeEvent(QResizeEvent *) {
    if (image_.size() != size()) clear();
}
