#include "platform/Clock.h"

#include <chrono>

// steady_clock is CLOCK_MONOTONIC here, in nanoseconds.
using Counter = std::chrono::steady_clock;

std::int64_t clockCount() { return Counter::now().time_since_epoch().count(); }

std::int64_t clockCountsPerSecond() { return Counter::period::den / Counter::period::num; }
