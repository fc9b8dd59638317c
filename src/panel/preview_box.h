#pragma once
// picSeirikenPrev: a white picture box that keeps a persistent image of what was
// drawn into it, and offers its pop-up menu on a right click.
#include <QImage>
#include <QWidget>

class PreviewBox : public QWidget {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget *parent = nullptr);

    QImage image() const { return image_; }
    // Clears the persistent image to white (at the box's current size).
    void clear();
    // The surface a ticket is drawn on; call refresh() afterwards.
    QImage &surface() { return image_; }
    void refresh() { update(); }

signals:
    void rightPressed(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *) override;

private:
    QImage image_;
};
