#pragma once
// What main() does before the event loop: command line, fonts, translations.
#include <QString>

struct StartupOptions {
    QString scriptPath;    // --script FILE
    QString settingsPath;  // --settings PATH
    QString zoom;          // --zoom N (1..8 or "fit"); empty: as last time
    bool fullScreen = false;  // --fullscreen[=SCREEN]
    QString fullScreenOn;     // SCREEN: a monitor's name or number; empty: the board's own
    QString remote;        // --remote [ADDRESS:]PORT
    QString remoteToken;   // --remote-token TOKEN
    QString record;        // --record FILE
    double recordZoom = 0; // --record-zoom N (0: the view's)
    int recordFps = 30;    // --record-fps 30|60
    int autoplay = 0;      // --autoplay SECONDS (0: off)
    bool autoplayOnce = false;  // --autoplay-once
    QString editRoute;     // --edit-route N: the route editor opens on route N
    bool showHelp = false;
    bool showVersion = false;  // --version
    QString error;         // a bad command line
};

StartupOptions parseCommandLine(const QStringList &args);

// The command line as main() gets it, before any application object exists.
QStringList argumentList(int argc, char *argv[]);

// The usage text (after `error` and a blank line when there is one), for --help or a
// bad command line; `exeName` is the program's file name without folder.
QString usageText(const QString &error, const QString &exeName);

// Qt's own dialog texts (message box buttons, file chooser) in Japanese, when the
// translations are installed.
void installJapaneseTranslations();

// Maps the Windows Japanese font faces the program names to installed fonts.
void installFontSubstitutes();

