#pragma once
// The program's root: it makes the sound channels, the settings, the trip session,
// the announcer and the three windows (the board, the
// options dialog, which stays loaded and hidden, and the control panel), hands each
// what it uses, makes every connection between them, runs the board's load, and ends
// the program in order: windows, then sound and speech, then the settings file.
#include <QObject>

#include <memory>

class Announcer;
class ExitSignals;
class Form1;
class FrmCtl;
class FrmOption;
class Settings;
class SoundChannels;
class TripSession;
struct StartupOptions;
namespace view {
class BoardView;
}

class Application : public QObject {
    Q_OBJECT
public:
    Application();
    // Speech and sound are released before the windows they report to.
    ~Application() override;

    SoundChannels &sound() const { return *sound_; }
    Settings &settings() const { return *settings_; }
    TripSession &session() const { return *session_; }
    Form1 &board() const { return *board_; }
    FrmOption &options() const { return *options_; }
    FrmCtl &panel() const { return *panel_; }
    Announcer &announcer() const { return *announcer_; }
    // The board's zoom and full screen, once installView has run.
    view::BoardView *boardView() const { return boardView_; }

    // The board's load: lays out the board, loads the panel, places the windows, loads
    // the settings, shows the board.
    void loadAndShow();
    // The board's view and the keys of both windows (see view_setup.h).
    void installView(const StartupOptions &opt, QString *warning);

    // SIGTERM, SIGINT and SIGHUP end the program as a confirmed exit does, without
    // the question (once the settings are loaded, so that they are never lost).
    void endOnSignals();

    // What Yes to the exit question does: the windows let go, sound and speech closed,
    // the settings saved, aboutToEnd (the remote stops), then the end with status 0.
    // Asked again while it runs (a save error's box is open), it does nothing more.
    void endConfirmed();

    // Speech, then the sound channels, closed (a start that fails after the windows).
    void releaseMedia();

    // What the windows hold of the settings (the options' controls, the digits' shift
    // settings, the panel's controls and place, the board's place) into Settings,
    // then Settings into the settings file.
    void saveSettings();

signals:
    // The program ends now: whatever runs beside the windows stops.
    void aboutToEnd();

private:
    void connectWindows();
    // A record taken from the settings file, into the windows in the board's order:
    // digits and their colours, the options' controls and backlight, the panel, the
    // board's place, applyToWindows.
    void applyLoadedSettings();

    std::unique_ptr<SoundChannels> sound_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<TripSession> session_;
    std::unique_ptr<Form1> board_;
    std::unique_ptr<FrmOption> options_;
    std::unique_ptr<Announcer> announcer_;
    std::unique_ptr<FrmCtl> panel_;
    view::BoardView *boardView_ = nullptr;
    ExitSignals *exitSignals_ = nullptr;
    bool loaded_ = false;
    bool endWanted_ = false;  // a signal came before the settings were loaded
    bool ending_ = false;
};
