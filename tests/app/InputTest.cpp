// Keys, the frame clock and the frame-rate text, without a window.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/FrameClock.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "render/Overlay.h"

TEST(InputTest, KeysFollowTheTableAnyReleaseStopsAndFollowCyclesThroughTheBalls) {
    Scene& s = *(scene = Scene::instance());
    const struct { unsigned char key; int direction; } table[] = {{'d', 0}, {'q', 1}, {'s', 2}, {'a', 3}, {'e', 4}, {'w', 5}};
    for (const auto& row : table) {
        keyboard(row.key, 0, 0);
        EXPECT_EQ(std::pair(s.camera.moving, s.camera.moveDirection), std::pair(true, row.direction)) << row.key;
    }
    keyboard('u', 0, 0);  // the spectrum toggles; releasing any key, even this one, stops the flight
    keyboardUp('u', 0, 0);
    EXPECT_FALSE(s.camera.moving);
    keyboard('u', 0, 0);  // the first press shows in the captured picture (tests/program/CaptureToolTest.cpp)
    EXPECT_FALSE(s.settings.spectrumLine);
    // Upper case, digits outside the table, space and other keys do nothing; with no balls,
    // neither does the follow key.
    s.camera.eye = {1.0f, 2.0f, 3.0f};
    for (unsigned char key : {'W', 'M', 'U', '9', ' ', 'x', 'm'}) keyboard(key, 0, 0);
    EXPECT_FALSE(s.camera.moving || s.settings.spectrumLine);
    EXPECT_EQ(std::pair(s.camera.free, s.camera.eye.x), std::pair(true, 1.0f));

    s.furBalls = spawnFurBalls();
    for (unsigned index = 0; index < 6; ++index) {
        keyboard('m', 0, 0);
        EXPECT_FALSE(s.camera.free);
        EXPECT_EQ(s.camera.followTarget, &s.furBalls[index]->position);
    }
    keyboard('m', 0, 0);  // after the last ball: the free view from the start
    EXPECT_EQ(std::pair(s.camera.free, s.camera.eye.z), std::pair(true, -26.0f));
    keyboard('m', 0, 0);
    EXPECT_EQ(std::pair(s.camera.free, s.followIndex), std::pair(false, 0u));
}

TEST(FrameClockTest, FixedFrameTimeAddsUpRealTimeIsMonotonicAndTheTextShowsItsInverse) {
    FrameClock::useFixedFrameTime(0.02);
    double frameSeconds = 0.0, totalSeconds = 1.0;
    FrameClock clock;
    for (int i = 0; i < 51; ++i) {
        clock.start();
        clock.stop(frameSeconds, totalSeconds);
    }
    EXPECT_EQ(frameSeconds, 0.02);
    EXPECT_NEAR(totalSeconds, 2.02, 1e-12);
    // 0 is the steady clock again, not frames that take no time.
    FrameClock::useFixedFrameTime(0.0);
    clock.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    clock.stop(frameSeconds, totalSeconds);
    EXPECT_GT(frameSeconds, 0.0);

    // Start to start, as in a page: the first frame has no interval before it; a page put aside
    // for minutes counts one capped frame, not the minutes.
    FrameClock paced(FrameTimeMeasure::START_TO_START);
    frameSeconds = 5.0;
    paced.start();
    paced.stop(frameSeconds, totalSeconds);
    EXPECT_EQ(frameSeconds, 0.0);
    EXPECT_EQ(cappedFrameSeconds(20, 1000), 0.02);
    EXPECT_EQ(cappedFrameSeconds(300'000, 1000), MAX_FRAME_SECONDS);

    // The stream's default formatting: shortest, six significant digits.
    for (const auto& [seconds, text] : {std::pair{0.02, "fps: 50"}, {0.016, "fps: 62.5"}, {0.0, "fps: inf"},
                                        {1.0 / 3.0, "fps: 3"}, {0.007, "fps: 142.857"}, {1e-7, "fps: 1e+07"}})
        EXPECT_EQ(fpsText(seconds), text);
}
