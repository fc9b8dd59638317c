#pragma once
// The route editor as one window of the program: opened from the control panel's
// menu or the command line, on the folders of the options, speaking through the
// announcements' engine.
namespace route {
class FrmRouteEdit;
}

// Opens the editor on route N (-1: a new route); an editor already open with
// unsaved changes is only brought to the front.
void openRouteEditor(int route);
// The editor, or null when it was never opened.
route::FrmRouteEdit *routeEditor();
// Wires the panel's menu entry and its exit question to the editor.
void attachRouteEditor();
