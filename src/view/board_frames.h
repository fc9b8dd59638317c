#pragma once
// Pictures of the board for a recording, drawn by the board's own painting at a
// scale (the same path the zoomed view takes), whether or not the board is on a
// screen. Outside the board's rounded shape the picture is transparent. Only what
// was repainted since the last picture is drawn again, so a scrolling stop name
// costs its strip, not the whole board.
#include <QImage>
#include <QObject>
#include <QRegion>

class QWidget;

namespace view {

class BoardFrames : public QObject {
    Q_OBJECT
public:
    BoardFrames(QWidget *board, double factor, QObject *parent = nullptr);

    // The outline outside which the picture stays transparent, in the board's
    // coordinates; by default the board's own mask.
    void setShape(const QRegion &shape) { shape_ = shape; }
    // The picture's size: the board's at the factor, rounded up to even numbers.
    QSize size() const;
    // The board as it is now (ARGB32 premultiplied).
    QImage frame();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *w);

    QWidget *board_;
    double factor_;
    QImage picture_;
    QImage spare_;  // the other of two pictures, drawn on while the encoder reads one
    QRegion shape_;
    QRegion dirty_;
    bool whole_ = true;
    bool rendering_ = false;
};

}  // namespace view
