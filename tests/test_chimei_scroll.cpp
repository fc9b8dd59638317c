#include "widgets/chimei_scroll.h"

#include <gtest/gtest.h>

using chimei::ScrollModel;
using Phase = ScrollModel::Phase;

namespace {

// The owner's values, changed by the tests between frames.
struct Owner {
    int speed = 5;
    int wait = 1500;
    int viewport = 192;
    int speedSets = 0;
    ScrollModel model{{[this] { return speed; },
                       [this](int v) {
                           speed = v;
                           ++speedSets;
                       },
                       [this] { return wait; }, [this] { return viewport; }}};
};

}  // namespace

TEST(ChimeiScroll, PauseThenRiseThenWrapAfterAFurtherViewport) {
    Owner o;
    o.model.start(224);  // seven cells
    EXPECT_EQ(o.model.phase(), Phase::Pausing);
    EXPECT_EQ(o.model.canvasTop(), 192);
    o.model.advance(1499);
    EXPECT_EQ(o.model.phase(), Phase::Pausing);
    o.model.advance(1);
    EXPECT_EQ(o.model.phase(), Phase::Stepping);

    // Speed 5 is 50 pixels a second at the nominal pace.
    o.model.advance(1000);
    EXPECT_EQ(o.model.canvasTop(), 142);

    // The pass ends once top + 224 <= -192: 608 pixels from the start, which is
    // 12.15 s at 50 px/s (the top is the rounded position).
    o.model.advance(12149 - 1000);  // up to 1 ms before the end
    EXPECT_EQ(o.model.phase(), Phase::Stepping);
    EXPECT_EQ(o.model.canvasTop(), -415);
    EXPECT_EQ(o.model.passes(), 0);
    o.model.advance(1);
    EXPECT_EQ(o.model.phase(), Phase::Pausing);
    EXPECT_EQ(o.model.canvasTop(), 192);
    EXPECT_EQ(o.model.passes(), 1);

    // The pause between passes never moves anything, and its length is read afresh.
    o.model.advance(1000);
    EXPECT_EQ(o.model.canvasTop(), 192);
    o.wait = 1200;
    o.model.advance(199);
    EXPECT_EQ(o.model.phase(), Phase::Pausing);
    o.model.advance(1);
    EXPECT_EQ(o.model.phase(), Phase::Stepping);
    // Speed is read afresh at every frame.
    o.model.advance(1000);
    EXPECT_EQ(o.model.canvasTop(), 142);
    o.speed = 10;
    o.model.advance(1000);
    EXPECT_EQ(o.model.canvasTop(), 42);
    EXPECT_EQ(o.speedSets, 0);
}

TEST(ChimeiScroll, LargeTimeSlicesKeepTheExactPace) {
    // Ten passes of 12.15 s with no pause take exactly 121.5 s, in one slice or in
    // frames; the time after each wrap is carried into the next pass.
    Owner a, b;
    a.wait = b.wait = 0;
    a.model.start(224);
    b.model.start(224);
    a.model.advance(121500);
    for (int i = 0; i < 7290; ++i) b.model.advance(1000.0 / 60.0);
    b.model.advance(0.4);  // what summing 7290 sixtieths of a second in floating point loses
    EXPECT_EQ(a.model.passes(), 10);
    EXPECT_EQ(b.model.passes(), 10);
    EXPECT_EQ(a.model.canvasTop(), 192);
    EXPECT_EQ(b.model.canvasTop(), 192);
    a.model.advance(1000);
    EXPECT_EQ(a.model.canvasTop(), 142);
}

TEST(ChimeiScroll, SpeedZeroBecomesOneOnceAndExtremeSpeeds) {
    Owner o;
    o.speed = 0;
    o.model.start(256);
    o.model.advance(1500);
    EXPECT_EQ(o.speed, 1);
    o.model.advance(1000);  // 1/200 px a step: 10 px a second
    EXPECT_EQ(o.model.canvasTop(), 182);
    // Set to 0 later, the scroll simply stands; the setter is not used again.
    o.speed = 0;
    o.model.advance(5000);
    EXPECT_EQ(o.model.canvasTop(), 182);
    EXPECT_EQ(o.speedSets, 1);
    // Speed 2000 moves 10 pixels per step; a negative speed sinks the canvas, never wrapping.
    o.speed = 2000;
    o.model.advance(0.5);
    EXPECT_EQ(o.model.canvasTop(), 172);
    o.speed = -200;
    o.model.advance(1000);
    EXPECT_EQ(o.model.canvasTop(), 172 + 2000);
    EXPECT_EQ(o.model.phase(), Phase::Stepping);
}

TEST(ChimeiScroll, StopRestartAndViewportReadAfresh) {
    Owner o;
    o.model.start(224);
    o.model.advance(5000);
    o.model.stop();
    EXPECT_FALSE(o.model.running());
    EXPECT_EQ(o.model.canvasTop(), 0);
    o.model.advance(10000);  // an ended scroll never resumes
    EXPECT_EQ(o.model.canvasTop(), 0);
    EXPECT_FALSE(o.model.running());

    // A new start replaces everything: first pause again, no passes carried.
    o.model.start(320);
    EXPECT_EQ(o.model.phase(), Phase::Pausing);
    EXPECT_EQ(o.model.passes(), 0);
    EXPECT_EQ(o.model.canvasHeight(), 320);

    // A smaller viewport (a border look change) ends the pass sooner and restarts
    // the next one from just below the new viewport.
    o.viewport = 183;
    o.wait = 0;
    o.model.advance((183 + 183 + 320) * 20.0);  // 686 px at 50 px/s
    EXPECT_EQ(o.model.passes(), 1);
    EXPECT_EQ(o.model.canvasTop(), 183);
}
