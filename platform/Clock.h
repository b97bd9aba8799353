// The operating system's monotonic high-resolution counter, which the frame clock reads.
#pragma once

#include <cstdint>

// Counts of a clock that never goes back, and how many counts make a second.
std::int64_t clockCount();
std::int64_t clockCountsPerSecond();
