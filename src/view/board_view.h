#pragma once
// The board's view: zoom (1x..8x or fit), full screen on a chosen monitor, always
// on top. The board's window stays the one window at every view (window captures
// keep it). At 1x in a window the face sits in it untouched; every other view shows
// the face through a BoardHost inside the same window, which scales the 1x layout.
#include "view/view_settings.h"

#include <QJsonObject>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <functional>
#include <vector>
#include <QSize>

class QMenu;
class QScreen;
class QWidget;

namespace view {

class BoardHost;

class BoardView : public QObject {
    Q_OBJECT
public:
    // `window` is the board's window and `face` its child holding the 1x layout.
    BoardView(QWidget *window, QWidget *face, QObject *parent = nullptr);

    const ViewSettings &settings() const { return settings_; }
    // Applies a whole set (start-up: the view file, then the command line).
    void apply(const ViewSettings &s);

    void setZoom(int factor);
    void setFit();
    void zoomBy(int direction);
    // SCREEN is a monitor's name or its number (1 = first); empty = the board's own
    // monitor. False (and `error` says why) when there is no such monitor.
    bool setFullScreen(const QString &screen, QString *error = nullptr);
    void leaveFullScreen();
    void toggleFullScreen();
    void setLetterbox(bool on);
    void setAlwaysOnTop(bool on);

    // The scale the board is shown at right now.
    double factor() const;
    // The window the board is shown in, the same at every view.
    QWidget *shownWindow() const { return window_; }
    // The board's outline at 1x (the window's shape while it is not scaled).
    QRegion shape() const;

    // Choices made by the user are kept in this file (empty: not kept).
    void setSavePath(const QString &path) { savePath_ = path; }

    QMenu *buildMenu();
    // Other parts add their entries at the menu's end (recording, the trip running by itself).
    void addMenuEntries(std::function<void(QMenu *)> add) { menuEntries_.push_back(std::move(add)); }
    void showMenu(const QPoint &globalPos);

    QJsonObject dumpState() const;

    static QScreen *findScreen(const QString &nameOrNumber);

signals:
    // A whole zoom did not fit the board's screen and the largest that fits is shown.
    void zoomLimited(int asked, int shown, QSize screen);

private:
    void changed();
    void layout();
    bool scaled() const;
    void showUnscaled();
    void limitZoomToScreen();
    BoardHost *host();
    QScreen *currentScreen() const;

    QWidget *window_;
    QWidget *face_;
    QPointer<BoardHost> host_;  // a child of the window, made when first needed
    QRegion shape_;             // the window's shape at 1x, kept while it is scaled
    ViewSettings settings_;
    QString savePath_;
    QPoint windowPos_;  // where the board sits while not in full screen
    std::vector<std::function<void(QMenu *)>> menuEntries_;
};

}  // namespace view
