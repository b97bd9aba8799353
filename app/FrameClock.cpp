#include "app/FrameClock.h"

#include "platform/Clock.h"

namespace {
double fixedFrameTime = 0.0;
}

void FrameClock::useFixedFrameTime(double seconds) { fixedFrameTime = seconds; }

void FrameClock::start() { startCount = clockCount(); }

void FrameClock::stop(double& frameSeconds, double& totalSeconds) const {
    if (fixedFrameTime > 0.0) {
        frameSeconds = fixedFrameTime;
    } else {
        frameSeconds = double(clockCount() - startCount) / double(clockCountsPerSecond());
    }
    totalSeconds += frameSeconds;
}
