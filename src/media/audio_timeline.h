#pragma once
// Places the blocks of the mix on the recording's clock. Blocks are counted sample by
// sample, so the sound stays whole; where the count and the clock part by more than
// the tolerance (an output that runs a little fast or slow, a silent stand-in that
// sleeps in whole milliseconds), silence is put in or the front of a block left out.
// A late block alone is no reason: only the least late of the last second counts.
#include <cstdint>
#include <vector>

class AudioTimeline {
public:
    AudioTimeline(int channels, int64_t toleranceFrames, int window = 40);

    // A block of `frames` frames that began sounding `atFrame` frames after the start
    // of the recording: appends to `out` what the recording gets (silence first, or
    // the block without its front).
    void place(const int16_t *samples, int frames, int64_t atFrame, std::vector<int16_t> &out);
    // Silence up to `frame` (where no mix comes at all, and at the end).
    void padTo(int64_t frame, std::vector<int16_t> &out);

    int64_t written() const { return written_; }

private:
    int channels_;
    int64_t tolerance_;
    int window_;
    int64_t written_ = 0;
    bool started_ = false;
    int seen_ = 0;
    int64_t leastLate_ = 0;  // the smallest lead of the clock over the count in this window
};
