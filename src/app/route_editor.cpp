#include "app/route_editor.h"

#include "panel/frm_ctl.h"
#include "app/windows.h"
#include "editor/frm_route_edit.h"
#include "editor/route_session.h"
#include "options/frm_option.h"
#include "media/tape.h"

namespace {
route::FrmRouteEdit *g_editor = nullptr;
}

route::FrmRouteEdit *routeEditor() { return g_editor; }

void openRouteEditor(int route) {
    if (!g_editor) {
        g_editor = new route::FrmRouteEdit([] { return route::Folders{frmOption()->fareDataDir(), frmOption()->tapeDataDir()}; },
                                           [](const QString &text) { mdlM_Tape::SpeakText(text); });
    }
    const bool showing = g_editor->isVisible();
    if (!showing || !g_editor->session()->modified()) g_editor->openRoute(route);
    g_editor->show();
    g_editor->raise();
    g_editor->activateWindow();
}

void attachRouteEditor() {
    FrmCtl *panel = frmCtl();
    QObject::connect(panel, &FrmCtl::editRouteRequested, panel, [](int route) { openRouteEditor(route); });
    panel->setEndGuard([] { return !g_editor || !g_editor->isVisible() || g_editor->maySetAside(); });
}
