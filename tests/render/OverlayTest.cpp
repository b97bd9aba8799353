#include <gtest/gtest.h>

#include "render/Overlay.h"

TEST(OverlayTest, FrameRateTextUsesShortestDefaultFormatting) {
    EXPECT_EQ(fpsText(0.02), "fps: 50");
    EXPECT_EQ(fpsText(0.016), "fps: 62.5");
    EXPECT_EQ(fpsText(0.0), "fps: inf");
    EXPECT_EQ(fpsText(1.0 / 3.0), "fps: 3");
    EXPECT_EQ(fpsText(0.007), "fps: 142.857");
    EXPECT_EQ(fpsText(1e-7), "fps: 1e+07");
}
