// Measures how long each frame's own work takes; everything that moves by time reads the result.
#pragma once

#include <cstdint>

class FrameClock {
public:
    void start();
    // Seconds since start(); adds them to totalSeconds.
    void stop(double& frameSeconds, double& totalSeconds) const;

    // The testing seam: a positive value makes every frame take exactly that long, so a run
    // of N frames is repeatable; 0 returns to the steady clock.
    static void useFixedFrameTime(double seconds);

private:
    std::int64_t startCount = 0;
};
