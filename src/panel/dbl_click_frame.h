#pragma once
// A frame (with or without a caption) that reports double clicks on its own surface.
#include <QGroupBox>
#include <QMouseEvent>

class DblClickFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

signals:
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override {
        if (event->button() == Qt::LeftButton) emit DblClick();
    }
};
