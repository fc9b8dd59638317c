#pragma once
// Puts the board's view (zoom, full screen, always on top) and the keyboard of both
// windows in place, after the board has loaded and shown.
#include <QString>

struct StartupOptions;

// The view file beside the settings file is read, then the command line's --zoom
// and --fullscreen apply on top (for this run; the file keeps the user's choices).
// A monitor that does not exist is reported in `warning`; the board's own is used.
void installView(const StartupOptions &opt, QString *warning);
