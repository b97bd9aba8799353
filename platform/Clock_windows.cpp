#include "platform/Clock.h"

#include <windows.h>

std::int64_t clockCount() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

// Fixed at boot, so asking once is enough.
std::int64_t clockCountsPerSecond() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    return frequency;
}
