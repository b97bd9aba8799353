#include "app/FrameClock.h"

#include <algorithm>

#include "platform/Clock.h"

namespace {
double fixedFrameTime = 0.0;
}

double cappedFrameSeconds(std::int64_t counts, std::int64_t countsPerSecond) {
    return std::min(double(counts) / double(countsPerSecond), MAX_FRAME_SECONDS);
}

void FrameClock::useFixedFrameTime(double seconds) { fixedFrameTime = seconds; }

void FrameClock::start() {
    const std::int64_t now = clockCount();
    if (measure == FrameTimeMeasure::START_TO_START) {
        keepPrevious = started && framesWereSuspended();
        interval = started ? cappedFrameSeconds(now - startCount, clockCountsPerSecond()) : 0.0;
    }
    startCount = now;
    started = true;
}

void FrameClock::stop(double& frameSeconds, double& totalSeconds) const {
    if (fixedFrameTime > 0.0)
        frameSeconds = fixedFrameTime;
    else if (measure == FrameTimeMeasure::OWN_WORK)
        frameSeconds = double(clockCount() - startCount) / double(clockCountsPerSecond());
    else if (!keepPrevious)
        frameSeconds = interval;
    totalSeconds += frameSeconds;
}
