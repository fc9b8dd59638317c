#pragma once
// The window that shows the board scaled: a graphics view holding the board widget
// itself (its one 1x layout) and painting it through a scaling transform. Black
// around the board where the window is larger (full screen); in full screen the
// pointer hides after two seconds without movement.
#include <QGraphicsView>

class QGraphicsProxyWidget;
class QTimer;

namespace view {

class BoardHost : public QGraphicsView {
    Q_OBJECT
public:
    explicit BoardHost(QWidget *board);
    ~BoardHost() override;

    // Takes the board in (it stops being a window of its own) or gives it back.
    void embed();
    void release();
    bool embedded() const;

    // Shows the board at `factor`, centred in the window.
    void setFactor(double factor);
    double factor() const { return factor_; }

    // Hides the pointer after it has been still for this long (0: never hides).
    void setPointerHiding(bool on);

    QWidget *board() const { return board_; }

signals:
    void menuRequested(const QPoint &globalPos);
    void closeRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeBoard();
    void pointerMoved();

    QWidget *board_;
    QGraphicsProxyWidget *proxy_ = nullptr;
    double factor_ = 1.0;
    QTimer *pointerTimer_;
    bool hidePointer_ = false;
};

}  // namespace view
