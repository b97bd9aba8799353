#include <gtest/gtest.h>

#include "app/FrameClock.h"

TEST(FrameClockTest, FixedFrameTimeAddsUpAndRealTimeIsMonotonic) {
    FrameClock::useFixedFrameTime(0.02);
    double frameSeconds = 0.0, totalSeconds = 1.0;
    FrameClock clock;
    clock.start();
    clock.stop(frameSeconds, totalSeconds);
    EXPECT_EQ(frameSeconds, 0.02);
    EXPECT_EQ(totalSeconds, 1.02);
    for (int i = 0; i < 50; ++i) {
        clock.start();
        clock.stop(frameSeconds, totalSeconds);
    }
    EXPECT_NEAR(totalSeconds, 2.02, 1e-12);

    FrameClock::useFixedFrameTime(0.0);
    clock.start();
    clock.stop(frameSeconds, totalSeconds);
    EXPECT_GE(frameSeconds, 0.0);
    EXPECT_LT(frameSeconds, 1.0);
}
