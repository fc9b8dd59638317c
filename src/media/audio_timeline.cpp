#include "media/audio_timeline.h"

#include <algorithm>

AudioTimeline::AudioTimeline(int channels, int64_t toleranceFrames, int window)
    : channels_(channels), tolerance_(toleranceFrames), window_(window) {}

void AudioTimeline::padTo(int64_t frame, std::vector<int16_t> &out) {
    if (frame <= written_) return;
    out.insert(out.end(), static_cast<size_t>((frame - written_) * channels_), int16_t(0));
    written_ = frame;
}

void AudioTimeline::place(const int16_t *samples, int frames, int64_t atFrame, std::vector<int16_t> &out) {
    if (!started_) {
        // The first block starts where the clock says; before it, the recording was silent.
        started_ = true;
        padTo(atFrame, out);
    }
    const int64_t lead = atFrame - written_;
    int skip = 0;
    if (lead < -tolerance_) {
        skip = static_cast<int>(std::min<int64_t>(-lead, frames));  // the output ran ahead
        seen_ = 0;
    } else {
        leastLate_ = seen_ == 0 ? lead : std::min(leastLate_, lead);
        if (++seen_ >= window_) {
            if (leastLate_ > tolerance_) padTo(written_ + leastLate_, out);  // it fell behind
            seen_ = 0;
        }
    }
    out.insert(out.end(), samples + static_cast<size_t>(skip) * channels_, samples + static_cast<size_t>(frames) * channels_);
    written_ += frames - skip;
}
