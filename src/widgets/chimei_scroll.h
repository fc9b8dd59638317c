#pragma once
// The scroll of a long stop name, as a state machine driven by elapsed time.
// The strip's timer feeds it the real time between frames; a test feeds it any
// time it likes, so no test waits for a real clock.
//
// A pass: the canvas waits below the viewport for the start pause, then rises by
// Speed / 200 pixels per step; once the text has left the top and a further
// viewport height of blank has gone by, the canvas goes back below the viewport
// and the next pass begins with another pause. Speed, the pause and the viewport
// height are read afresh every time they are needed, so a change made while the
// name scrolls takes effect at once.
#include <functional>

namespace chimei {

// Nominal pace of the scroll in steps per second (so Speed 5, 0.025 pixels a step,
// moves 50 pixels a second). The one place the pace is set.
constexpr double kScrollStepsPerSecond = 2000.0;

class ScrollModel {
public:
    enum class Phase { Idle, Pausing, Stepping };

    // What the scroll reads from its owner each time it needs it.
    struct Host {
        std::function<int()> speed;                // pixels per step times 200
        std::function<void(int)> setSpeed;         // used once per scroll: Speed 0 becomes 1
        std::function<int()> startWait;            // milliseconds of each pause
        std::function<int()> viewportHeight;       // visible height in pixels
    };

    explicit ScrollModel(Host host);

    // Begins a new scroll of a canvas of the given height, replacing any scroll in
    // progress: the canvas sits just below the viewport, and the first pause begins.
    void start(int canvasHeight);

    // Ends the scroll for good; the canvas top goes back to 0.
    void stop();

    // Lets `ms` milliseconds pass. Pauses consume time without moving anything.
    void advance(double ms);

    Phase phase() const { return phase_; }
    bool running() const { return phase_ != Phase::Idle; }
    int canvasTop() const { return top_; }
    // The scroll position (the canvas top before rounding), in pixels.
    double position() const { return static_cast<double>(position_) / 200.0; }
    int canvasHeight() const { return canvasHeight_; }
    // Completed passes of the current scroll (each ends when the canvas goes back
    // below the viewport).
    int passes() const { return passes_; }

private:
    void beginPause();
    void endPause();
    // Steps until the canvas has gone a viewport height past the top, at `perStep`
    // two-hundredths of a pixel a step; 0 when it never will.
    long long stepsToWrap(int perStep, int viewport) const;

    Host host_;
    Phase phase_ = Phase::Idle;
    bool firstPause_ = false;
    double pauseElapsed_ = 0;  // ms spent in the current pause
    double stepCarry_ = 0;     // fraction of a step not yet taken
    long long position_ = 0;   // in 1/200 pixel
    int top_ = 0;
    int canvasHeight_ = 0;
    int passes_ = 0;
};

}  // namespace chimei
