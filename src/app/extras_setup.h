#pragma once
// What the program does beyond the board and the panel: recording the board with its
// sound, and the trip running by itself; their board menu entries and command line.
#include "panel/autoplay.h"
#include "app/recording_control.h"

class Application;
struct StartupOptions;
namespace view {
class BoardView;
}

class Extras {
public:
    // A recording ends, its file complete, when the program ends or quits.
    explicit Extras(Application &app);

    RecordingControl &recording() { return recording_; }
    Autoplay &autoplay() { return autoplay_; }

    // The board menu's entries and what the command line asks for. False (the
    // message printed) when the recording asked for cannot start.
    bool install(const StartupOptions &opt, view::BoardView *boardView);

private:
    RecordingControl recording_;
    Autoplay autoplay_;
};
