#include "app/view_setup.h"
#include "base/message_language.h"

#include "panel/frm_ctl.h"
#include "base/program.h"
#include "app/startup.h"
#include "base/dump_sections.h"
#include "base/event_log.h"
#include "board/form1.h"
#include "view/board_view.h"
#include "view/key_router.h"
#include "view/zoom.h"

#include <QToolTip>

#include <cstdio>

using view::KeyAction;
using view::KeyHit;

view::BoardView *installView(Form1 &boardWindow, FrmCtl &panelWindow, const StartupOptions &opt, QString *warning) {
    Form1 *board = &boardWindow;
    FrmCtl *panel = &panelWindow;
    auto *boardView = new view::BoardView(board, board->face(), board);
    auto *keys = new view::KeyRouter(board);
    keys->addWindow(board, false);
    // Shown scaled, the face is a window of its own inside the board's.
    keys->addWindow(board->face(), false);
    keys->addWindow(panel, true);
    QObject::connect(board, &Form1::viewMenuRequested, boardView, &view::BoardView::showMenu);

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
            if (warning) *warning = message_language::pick("no screen %1: full screen on the board's own screen",
                                                               "画面 %1 はありません: 表示器のある画面で全画面にします")
                                           .arg(s.screen);
            s.screen.clear();
        }
    }
    // At start-up the command line's zoom is told on standard error; later a zoom from
    // the menu or the keys is told over the board.
    auto *starting = new QObject(boardView);
    QObject::connect(boardView, &view::BoardView::zoomLimited, starting, [](int asked, int shown, QSize area) {
        std::fprintf(stderr, "zoom %d does not fit the screen (%dx%d): zoom %d\n", asked, area.width(), area.height(),
                     shown);
    });
    boardView->apply(s);
    delete starting;
    QObject::connect(boardView, &view::BoardView::zoomLimited, boardView, [boardView](int asked, int shown, QSize) {
        const QString text = QStringLiteral("%1 倍は画面に収まらないため、%2 倍で表示しています。").arg(asked).arg(shown);
        events::record(QStringLiteral("status"), {{"text", text}});
        QWidget *shownIn = boardView->shownWindow();
        QToolTip::showText(shownIn->mapToGlobal(QPoint(8, 8)), text, shownIn, QRect(), 4000);
    });
    boardView->setSavePath(path);
    return boardView;
}
