#pragma once
// The route editor as one window of the program: opened from the control panel's
// menu or the command line, on the folders of the options, speaking through the
// announcements' engine.
#include <QObject>

#include <memory>

class FrmCtl;
class Settings;
namespace route {
class FrmRouteEdit;
}

class RouteEditorHost : public QObject {
public:
    // Wires the panel's menu entry and its exit question to the editor.
    RouteEditorHost(FrmCtl &panel, const Settings &settings, QObject *parent = nullptr);
    ~RouteEditorHost() override;

    // Opens the editor on route N (-1: a new route); an editor already open with
    // unsaved changes is only brought to the front.
    void open(int route);
    // The editor, or null when it was never opened.
    route::FrmRouteEdit *editor() const { return editor_.get(); }

private:
    FrmCtl &panel_;
    const Settings &settings_;
    std::unique_ptr<route::FrmRouteEdit> editor_;
};
