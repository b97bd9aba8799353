#include "app/FrameClock.h"

namespace {
double fixedFrameTime = 0.0;
}

void FrameClock::useFixedFrameTime(double seconds) { fixedFrameTime = seconds; }

void FrameClock::start() { startTime = std::chrono::steady_clock::now(); }

void FrameClock::stop(double& frameSeconds, double& totalSeconds) const {
    if (fixedFrameTime > 0.0) {
        frameSeconds = fixedFrameTime;
    } else {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - startTime;
        frameSeconds = elapsed.count();
    }
    totalSeconds += frameSeconds;
}
