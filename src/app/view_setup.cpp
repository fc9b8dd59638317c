#include "app/view_setup.h"

#include "panel/frm_ctl.h"
#include "app/program.h"
#include "app/startup.h"
#include "app/windows.h"
#include "base/dump_sections.h"
#include "board/form1.h"
#include "view/board_view.h"
#include "view/key_router.h"
#include "view/zoom.h"

using view::KeyAction;
using view::KeyHit;

void installView(const StartupOptions &opt, QString *warning) {
    Form1 *board = form1();
    FrmCtl *panel = frmCtl();
    auto *boardView = new view::BoardView(board, board);
    auto *keys = new view::KeyRouter(board);
    keys->addWindow(board, false);
    keys->addWindow(panel, true);
    QObject::connect(boardView, &view::BoardView::hostCreated, keys, [keys](QWidget *host) { keys->addWindow(host, false); });
    QObject::connect(board, &Form1::viewMenuRequested, boardView, &view::BoardView::showMenu);
    QObject::connect(boardView, &view::BoardView::closeRequested, board, &QWidget::close);

    panel->bindKeys(*keys);
    keys->setHandler(KeyAction::ZoomIn, [boardView](const KeyHit &) { boardView->zoomBy(+1); });
    keys->setHandler(KeyAction::ZoomOut, [boardView](const KeyHit &) { boardView->zoomBy(-1); });
    keys->setHandler(KeyAction::FullScreen, [boardView](const KeyHit &) { boardView->toggleFullScreen(); });
    keys->setHandler(KeyAction::LeaveFullScreen, [boardView](const KeyHit &) { boardView->leaveFullScreen(); });
    dump::registerSection(QStringLiteral("view"), [boardView] { return boardView->dumpState(); });

    const QString path = view::viewSettingsPath(program::settingsPath());
    view::ViewSettings s = view::loadViewSettings(path);
    if (const auto zoom = view::parseZoom(opt.zoom)) {
        s.zoom = zoom->factor;
        s.fit = zoom->fit;
        s.fullScreen = false;
    }
    if (opt.fullScreen) {
        s.fullScreen = true;
        s.screen = opt.fullScreenOn;
        if (!s.screen.isEmpty() && !view::BoardView::findScreen(s.screen)) {
            if (warning) *warning = QStringLiteral("no screen %1: full screen on the board's own screen").arg(s.screen);
            s.screen.clear();
        }
    }
    boardView->apply(s);
    boardView->setSavePath(path);
}
