#pragma once
// Pictures of the board for the mirror page. The board's repaints are watched; at
// most ten times a second, when viewers are there, the repainted part is drawn at
// twice the size (sharp when a browser scales it up) and only the pixels that really
// changed go out. A scrolling stop name thus costs the strip, not the whole board.
#include <QImage>
#include <QObject>
#include <QRegion>
#include <functional>

class QTimer;
class QWidget;

namespace remote {

class BoardMirror : public QObject {
    Q_OBJECT
public:
    static constexpr int kScale = 2;
    static constexpr int kIntervalMs = 100;

    // Watches `board`; `viewers` tells how many are looking now.
    BoardMirror(QWidget *board, std::function<int()> viewers, QObject *parent = nullptr);

public slots:
    // The next picture goes out whole (a new viewer has nothing yet).
    void sendWhole();

signals:
    void patch(const QImage &part, const QPoint &at, const QSize &full);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();

    QWidget *board_;
    std::function<int()> viewers_;
    QTimer *timer_;
    QImage last_;
    QRegion dirty_;
    bool whole_ = true;
    bool rendering_ = false;
};

// The smallest rectangle of `part` (RGB32) holding every pixel that differs from
// `whole` (RGB32) at offset `at`; empty when none differs. `part` must lie inside.
QRect changedRect(const QImage &part, const QImage &whole, QPoint at);

}  // namespace remote
