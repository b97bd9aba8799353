// Measures each frame's time; everything that moves by time reads the result.
#pragma once

#include <cstdint>

#include "platform/FramePacing.h"

// The longest interval between frame starts that counts as a frame's time: a page that stalled
// goes on from where it stood instead of throwing the world forward. A page put aside is caught
// apart (a suspension, below); software-rendered pages draw a frame in under this.
constexpr double MAX_FRAME_SECONDS = 2.0;

// A count of clock ticks as seconds, at most MAX_FRAME_SECONDS.
double cappedFrameSeconds(std::int64_t counts, std::int64_t countsPerSecond);

class FrameClock {
public:
    explicit FrameClock(FrameTimeMeasure measure = frameTimeMeasure()) : measure(measure) {}

    void start();
    // Sets frameSeconds to the frame's time and adds it to totalSeconds. Measured from start to
    // start, a frame's time is the interval that ended when it started; the first frame's is 0,
    // and after a suspension the previous frame's time stands.
    void stop(double& frameSeconds, double& totalSeconds) const;

    // The testing seam: a positive value makes every frame take exactly that long, so a run
    // of N frames is repeatable; 0 returns to the steady clock.
    static void useFixedFrameTime(double seconds);

private:
    FrameTimeMeasure measure;
    std::int64_t startCount = 0;
    bool started = false;
    // Start to start: the interval that ended at start(), unless it spanned a suspension.
    double interval = 0.0;
    bool keepPrevious = false;
};
