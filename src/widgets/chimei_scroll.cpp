#include "widgets/chimei_scroll.h"

#include <cmath>
#include <utility>

namespace chimei {

namespace {

// Positions are kept in 1/200 pixel, the unit of Speed, so that any number of
// steps adds up exactly. The canvas top is the position rounded half away from 0.
int topOf(long long units) {
    return static_cast<int>(units >= 0 ? (units + 100) / 200 : -((-units + 100) / 200));
}

}  // namespace

ScrollModel::ScrollModel(Host host) : host_(std::move(host)) {}

void ScrollModel::start(int canvasHeight) {
    canvasHeight_ = canvasHeight;
    passes_ = 0;
    firstPause_ = true;
    position_ = 200LL * host_.viewportHeight();
    top_ = topOf(position_);
    beginPause();
}

void ScrollModel::stop() {
    phase_ = Phase::Idle;
    top_ = 0;
}

void ScrollModel::beginPause() {
    phase_ = Phase::Pausing;
    pauseElapsed_ = 0;
    stepCarry_ = 0;
}

void ScrollModel::endPause() {
    if (firstPause_) {
        firstPause_ = false;
        // A speed of 0 would never move; it becomes 1, through the owner's setter.
        if (host_.speed() == 0) host_.setSpeed(1);
        position_ = 200LL * host_.viewportHeight();
        top_ = topOf(position_);
    }
    phase_ = Phase::Stepping;
}

long long ScrollModel::stepsToWrap(int perStep, int viewport) const {
    if (perStep <= 0) return 0;
    // The pass ends when top + height <= -viewport. Start from the estimate and
    // walk to the exact step.
    const long long limit = -static_cast<long long>(viewport) - canvasHeight_;
    long long k = (position_ - 200 * limit - 100) / perStep - 1;
    if (k < 1) k = 1;
    while (k > 1 && topOf(position_ - (k - 1) * perStep) <= limit) --k;
    while (topOf(position_ - k * perStep) > limit) ++k;
    return k;
}

void ScrollModel::advance(double ms) {
    if (!(ms > 0)) return;
    double left = ms;
    while (left > 0 && phase_ != Phase::Idle) {
        if (phase_ == Phase::Pausing) {
            const double need = host_.startWait() - pauseElapsed_;
            if (left < need) {
                pauseElapsed_ += left;
                return;
            }
            if (need > 0) left -= need;
            endPause();
            continue;
        }

        // Stepping: whole steps only; a fraction of a step waits for the next frame.
        stepCarry_ += left * kScrollStepsPerSecond / 1000.0;
        left = 0;
        const auto steps = static_cast<long long>(std::floor(stepCarry_));
        if (steps <= 0) return;
        const int perStep = host_.speed();
        const int viewport = host_.viewportHeight();
        const long long wrapAt = stepsToWrap(perStep, viewport);
        if (wrapAt > 0 && wrapAt <= steps) {
            // The pass ends within this time: back below the viewport, and the time
            // after that step goes to the next pause.
            stepCarry_ -= static_cast<double>(wrapAt);
            left = stepCarry_ * 1000.0 / kScrollStepsPerSecond;
            position_ = 200LL * viewport;
            top_ = topOf(position_);
            ++passes_;
            beginPause();
            continue;
        }
        position_ -= steps * perStep;
        stepCarry_ -= static_cast<double>(steps);
        top_ = topOf(position_);
    }
}

}  // namespace chimei
