#pragma once
// The board's face: the panel picture with every display and label on it, laid out
// at 1x. It lives inside the board's window, which shows it as it is or scaled (the
// view embeds it in a scaling view then), so the window seen on the screen stays
// the same one at every zoom.
#include <QImage>
#include <QList>
#include <QWidget>

class QPainter;
class QRegion;

class BoardFace : public QWidget {
    Q_OBJECT
public:
    // `window` is the board's window the face lives in (a drag of the face moves it).
    explicit BoardFace(QWidget *window);

    QImage picture() const { return picture_; }
    void setPicture(const QImage &picture);
    // Pictures that carry no words of their own: the face draws the words over them.
    void setWordlessPictures(const QList<qint64> &cacheKeys) {
        wordless_ = cacheKeys;
        scaled_ = QImage();
    }

signals:
    // The right button anywhere on the face.
    void menuRequested(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    void drawFace(QPainter &p, const QRegion &region) const;
    // The face drawn once at a whole scale (2x, 4x, ...): a zoomed view or a
    // recording then copies it instead of scaling the picture and setting every
    // caption again for each repaint.
    const QImage &scaledFace(int scale);

    QWidget *window_;
    QImage picture_;
    QImage scaled_;
    QList<qint64> wordless_;
    bool dragging_ = false;
    QPoint dragOffset_;
};
