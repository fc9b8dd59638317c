#pragma once
// What the board view remembers between runs: zoom, full screen and its monitor,
// always on top. Kept in a small text file of its own beside the settings file
// ("207_000.view" beside "207_000.in4"), whose layout is fixed.
#include <QString>

namespace view {

struct ViewSettings {
    int zoom = 1;             // 1..8
    bool fit = false;         // fit to the screen instead of a whole factor
    bool fullScreen = false;
    QString screen;           // the monitor's name for full screen; empty = the board's own
    bool letterbox = false;   // full screen fills the screen (letterboxed) instead of a whole factor
    bool alwaysOnTop = false;
    bool operator==(const ViewSettings &) const = default;
};

// The view file that goes with a settings file.
QString viewSettingsPath(const QString &settingsPath);

// "key=value" lines; unknown keys and bad values are skipped (the default stays),
// a missing or unreadable file gives the defaults.
ViewSettings parseViewSettings(const QByteArray &text);
QByteArray formatViewSettings(const ViewSettings &s);

ViewSettings loadViewSettings(const QString &path);
// Replaces the file whole (never truncated first); false when it cannot be written.
bool saveViewSettings(const QString &path, const ViewSettings &s);

}  // namespace view
