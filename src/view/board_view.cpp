#include "view/board_view.h"

#include "view/board_host.h"
#include "view/zoom.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace view {

namespace {

// A window flag change hides a shown window; it comes back where it was.
void setOnTop(QWidget *w, bool on) {
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool shown = w->isVisible();
    const QPoint at = w->pos();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    w->move(at);
    if (shown) w->show();
}

}  // namespace

BoardView::BoardView(QWidget *window, QWidget *face, QObject *parent)
    : QObject(parent), window_(window), face_(face) {}

BoardHost *BoardView::host() {
    if (!host_) {
        host_ = new BoardHost(face_, window_);
        connect(host_, &BoardHost::menuRequested, this, &BoardView::showMenu);
    }
    return host_;
}

bool BoardView::scaled() const { return host_ && host_->embedded(); }

double BoardView::factor() const { return scaled() ? host_->factor() : 1.0; }

QRegion BoardView::shape() const { return scaled() ? shape_ : window_->mask(); }

QScreen *BoardView::findScreen(const QString &nameOrNumber) {
    const QList<QScreen *> screens = QGuiApplication::screens();
    bool isNumber = false;
    const int n = nameOrNumber.toInt(&isNumber);
    if (isNumber) return n >= 1 && n <= screens.size() ? screens.at(n - 1) : nullptr;
    for (QScreen *s : screens)
        if (s->name() == nameOrNumber) return s;
    return nullptr;
}

QScreen *BoardView::currentScreen() const {
    const QWidget *w = shownWindow();
    if (QScreen *s = QGuiApplication::screenAt(w->geometry().center())) return s;
    return QGuiApplication::primaryScreen();
}

void BoardView::apply(const ViewSettings &s) {
    settings_ = s;
    if (settings_.fullScreen && !settings_.screen.isEmpty() && !findScreen(settings_.screen)) settings_.screen.clear();
    layout();
}

void BoardView::setZoom(int factor) {
    settings_.zoom = qBound(kMinZoom, factor, kMaxZoom);
    settings_.fit = false;
    settings_.fullScreen = false;
    changed();
}

void BoardView::setFit() {
    settings_.fit = true;
    settings_.fullScreen = false;
    changed();
}

void BoardView::zoomBy(int direction) {
    if (settings_.fullScreen) return;
    setZoom(steppedZoom(factor(), direction));
}

bool BoardView::setFullScreen(const QString &screen, QString *error) {
    if (!screen.isEmpty() && !findScreen(screen)) {
        if (error) *error = QStringLiteral("no screen %1 (there are %2)").arg(screen).arg(QGuiApplication::screens().size());
        return false;
    }
    settings_.fullScreen = true;
    settings_.screen = screen;
    changed();
    return true;
}

void BoardView::leaveFullScreen() {
    if (!settings_.fullScreen) return;
    settings_.fullScreen = false;
    changed();
}

void BoardView::toggleFullScreen() {
    if (settings_.fullScreen) leaveFullScreen();
    else setFullScreen(settings_.screen);
}

void BoardView::setLetterbox(bool on) {
    settings_.letterbox = on;
    changed();
}

void BoardView::setAlwaysOnTop(bool on) {
    settings_.alwaysOnTop = on;
    changed();
}

void BoardView::changed() {
    layout();
    if (!savePath_.isEmpty()) saveViewSettings(savePath_, settings_);
}

// A whole zoom larger than the board's screen would run off it: the largest whole
// zoom that fits is shown instead, and kept.
void BoardView::limitZoomToScreen() {
    if (settings_.fit || settings_.fullScreen || settings_.zoom <= 1) return;
    const QSize area = currentScreen()->availableGeometry().size();
    const int fits = largestWholeFactor(face_->size(), area);
    if (settings_.zoom <= fits) return;
    const int asked = settings_.zoom;
    settings_.zoom = fits;
    emit zoomLimited(asked, fits, area);
}

// Back to the face as it is, in a window of its own size and shape where it was.
void BoardView::showUnscaled() {
    host_->setPointerHiding(false);
    host_->release();
    if (window_->isFullScreen()) window_->showNormal();
    window_->setFixedSize(face_->size());
    window_->move(windowPos_);
    if (shape_.isEmpty()) window_->clearMask();
    else window_->setMask(shape_);
}

void BoardView::layout() {
    limitZoomToScreen();
    if (window_->isVisible() && !window_->isFullScreen()) windowPos_ = window_->pos();
    const bool wanted = settings_.fullScreen || settings_.fit || settings_.zoom != 1;

    if (!wanted) {
        if (scaled()) showUnscaled();
        setOnTop(window_, settings_.alwaysOnTop);
        return;
    }

    if (!scaled()) shape_ = window_->mask();
    BoardHost *h = host();
    setOnTop(window_, settings_.alwaysOnTop);
    const QSize boardSize = face_->size();
    if (settings_.fullScreen) {
        QScreen *screen = settings_.screen.isEmpty() ? currentScreen() : findScreen(settings_.screen);
        if (!screen) screen = QGuiApplication::primaryScreen();
        const QRect area = screen->geometry();
        h->setFactor(settings_.letterbox ? fitFactor(boardSize, area.size()) : largestWholeFactor(boardSize, area.size()));
        h->embed();
        window_->clearMask();
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (window_->isFullScreen()) window_->showNormal();
        // Another X screen needs the window made anew there; a monitor of the same desktop only the geometry.
        if (window_->screen() != screen) window_->setScreen(screen);
        window_->setGeometry(area);
        window_->showFullScreen();
        h->setPointerHiding(true);
        window_->activateWindow();
        return;
    }

    h->setPointerHiding(false);
    if (window_->isFullScreen()) window_->showNormal();
    QScreen *screen = currentScreen();
    const double f = settings_.fit ? fitFactor(boardSize, screen->availableGeometry().size()) : settings_.zoom;
    h->setFactor(f);
    const QRect placed = settings_.fit ? centredRect(boardSize, f, screen->availableGeometry())
                                       : QRect(windowPos_, boardSize * f);
    window_->setFixedSize(placed.size());
    window_->move(placed.topLeft());
    h->embed();
    window_->setMask(QTransform::fromScale(f, f).map(shape_.isEmpty() ? QRegion(face_->rect()) : shape_));
}

QJsonObject BoardView::dumpState() const {
    const QWidget *w = window_;
    QJsonObject o;
    o.insert(QStringLiteral("zoom"), settings_.fit ? QJsonValue(QStringLiteral("fit")) : QJsonValue(settings_.zoom));
    o.insert(QStringLiteral("factor"), factor());
    o.insert(QStringLiteral("fullScreen"), settings_.fullScreen);
    const QScreen *screen = w->screen();
    o.insert(QStringLiteral("screen"), screen ? screen->name() : QString());
    o.insert(QStringLiteral("screenNumber"), screen ? int(QGuiApplication::screens().indexOf(const_cast<QScreen *>(screen))) + 1 : 0);
    o.insert(QStringLiteral("letterbox"), settings_.letterbox);
    o.insert(QStringLiteral("alwaysOnTop"), settings_.alwaysOnTop);
    o.insert(QStringLiteral("hosted"), scaled());
    o.insert(QStringLiteral("left"), w->x());
    o.insert(QStringLiteral("top"), w->y());
    o.insert(QStringLiteral("width"), w->width());
    o.insert(QStringLiteral("height"), w->height());
    return o;
}

}  // namespace view
