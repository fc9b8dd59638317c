#include "app/route_editor.h"

#include "editor/frm_route_edit.h"
#include "editor/route_session.h"
#include "media/announcer.h"
#include "core/settings.h"
#include "panel/frm_ctl.h"

RouteEditorHost::RouteEditorHost(FrmCtl &panel, const Settings &settings, QObject *parent)
    : QObject(parent), panel_(panel), settings_(settings) {
    connect(&panel, &FrmCtl::editRouteRequested, this, [this](int route) { open(route); });
    panel.setEndGuard([this] { return !editor_ || !editor_->isVisible() || editor_->maySetAside(); });
}

// The panel outlives the host: its exit question must not ask a host that is gone.
RouteEditorHost::~RouteEditorHost() { panel_.setEndGuard({}); }

void RouteEditorHost::open(int route) {
    if (!editor_) {
        editor_ = std::make_unique<route::FrmRouteEdit>(
            [this] { return route::Folders{settings_.fareDataDir(), settings_.tapeDataDir()}; },
            [&announcer = panel_.announcer()](const QString &text) {
                if (!announcer.speechOk()) return false;
                announcer.speakText(text);
                return true;
            });
    }
    const bool showing = editor_->isVisible();
    if (!showing || !editor_->session()->modified()) editor_->openRoute(route);
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}
