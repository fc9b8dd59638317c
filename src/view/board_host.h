#pragma once
// The view that shows the board's face scaled, inside the board's own window: a
// graphics view holding the face (its one 1x layout) and painting it through a
// scaling transform. Black around the face where the window is larger (full
// screen); in full screen the pointer hides after two seconds without movement.
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QPointer>

class QTimer;

namespace view {

class BoardHost : public QGraphicsView {
    Q_OBJECT
public:
    // `face` is a child of `window`; the host is one too, covering the window.
    BoardHost(QWidget *face, QWidget *window);
    ~BoardHost() override;

    // Takes the face in (shown scaled) or gives it back to the window as it was.
    void embed();
    void release();
    bool embedded() const;

    // Shows the face at `factor`, centred in the view.
    void setFactor(double factor);
    double factor() const { return factor_; }

    // Hides the pointer after it has been still for this long (0: never hides).
    void setPointerHiding(bool on);

    QWidget *face() const { return face_; }

signals:
    void menuRequested(const QPoint &globalPos);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeFace();
    void pointerMoved();

    // The window deletes its children in turn: the face may be gone before the host.
    QPointer<QWidget> face_;
    QWidget *window_;
    QPointer<QGraphicsProxyWidget> proxy_;
    double factor_ = 1.0;
    QTimer *pointerTimer_;
    bool hidePointer_ = false;
};

}  // namespace view
