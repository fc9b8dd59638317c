#pragma once
// The board's view: zoom (1x..8x or fit), full screen on a chosen monitor, always
// on top. At 1x in a window the board stays its own window, untouched; every other
// view shows it through a BoardHost, which scales the one 1x layout.
#include "view/view_settings.h"

#include <QJsonObject>
#include <QObject>
#include <QPoint>
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
    explicit BoardView(QWidget *board, QObject *parent = nullptr);
    ~BoardView() override;

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
    // The window the board is shown in: the board itself or the host.
    QWidget *shownWindow() const;

    // Choices made by the user are kept in this file (empty: not kept).
    void setSavePath(const QString &path) { savePath_ = path; }

    QMenu *buildMenu();
    // Other parts add their entries at the menu's end (recording, the trip running by itself).
    void addMenuEntries(std::function<void(QMenu *)> add) { menuEntries_.push_back(std::move(add)); }
    void showMenu(const QPoint &globalPos);

    QJsonObject dumpState() const;

    static QScreen *findScreen(const QString &nameOrNumber);

signals:
    // The host window was asked to close (Alt+F4 on the scaled board).
    void closeRequested();
    // The scaled board's window came into being (its keys are the board's keys).
    void hostCreated(QWidget *host);
    // A whole zoom did not fit the board's screen and the largest that fits is shown.
    void zoomLimited(int asked, int shown, QSize screen);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void changed();
    void layout();
    void limitZoomToScreen();
    BoardHost *host();
    QScreen *currentScreen() const;

    QWidget *board_;
    BoardHost *host_ = nullptr;
    ViewSettings settings_;
    QString savePath_;
    QPoint windowPos_;  // where the board sits while not in full screen
    bool laidOut_ = false;
    std::vector<std::function<void(QMenu *)>> menuEntries_;
};

}  // namespace view
