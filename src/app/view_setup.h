#pragma once
// Puts the board's view (zoom, full screen, always on top) and the keyboard of both
// windows in place, after the board has loaded and shown.
#include <QString>

class Form1;
class FrmCtl;
struct StartupOptions;
namespace view {
class BoardView;
}

// The view file beside the settings file is read, then the command line's --zoom
// and --fullscreen apply on top (for this run; the file keeps the user's choices).
// A monitor that does not exist is reported in `warning`; the board's own is used.
view::BoardView *installView(Form1 &board, FrmCtl &panel, const StartupOptions &opt, QString *warning);
