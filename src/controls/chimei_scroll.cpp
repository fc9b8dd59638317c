#include "controls/chimei_scroll.h"

#include <cmath>
#include <utility>

namespace chimei {

namespace {

int topOf(double position) { return static_cast<int>(std::lround(position)); }

}  // namespace

ScrollModel::ScrollModel(Host host) : host_(std::move(host)) {}

void ScrollModel::start(int canvasHeight) {
    canvasHeight_ = canvasHeight;
    passes_ = 0;
    firstPause_ = true;
    position_ = host_.viewportHeight();
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
        position_ = host_.viewportHeight();
        top_ = topOf(position_);
    }
    phase_ = Phase::Stepping;
}

long long ScrollModel::stepsToWrap(double perStep, int viewport) const {
    if (perStep <= 0) return 0;
    // The pass ends when top + height <= -viewport, the top being the rounded
    // position. Start just short of the estimate and walk to the exact step.
    const double limit = -static_cast<double>(viewport) - canvasHeight_;
    long long k = static_cast<long long>(std::ceil((position_ - limit - 0.5) / perStep)) - 2;
    if (k < 1) k = 1;
    while (topOf(position_ - static_cast<double>(k) * perStep) > limit) ++k;
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
        const double perStep = host_.speed() / 200.0;
        const int viewport = host_.viewportHeight();
        const long long wrapAt = stepsToWrap(perStep, viewport);
        if (wrapAt > 0 && wrapAt <= steps) {
            // The pass ends within this time: back below the viewport, and the time
            // after that step goes to the next pause.
            stepCarry_ -= static_cast<double>(wrapAt);
            left = stepCarry_ * 1000.0 / kScrollStepsPerSecond;
            position_ = viewport;
            top_ = topOf(position_);
            ++passes_;
            beginPause();
            continue;
        }
        position_ -= static_cast<double>(steps) * perStep;
        stepCarry_ -= static_cast<double>(steps);
        top_ = topOf(position_);
    }
}

}  // namespace chimei
