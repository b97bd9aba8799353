#include "platform/MemoryFigures.h"

#include <windows.h>
// psapi.h needs windows.h before it.
#include <psapi.h>

namespace {
constexpr double BYTES_PER_MB = 1024.0 * 1024.0;

PROCESS_MEMORY_COUNTERS counters() {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) memory = {};
    return memory;
}
}  // namespace

double residentMemoryMb() { return double(counters().WorkingSetSize) / BYTES_PER_MB; }

double peakResidentMemoryMb() { return double(counters().PeakWorkingSetSize) / BYTES_PER_MB; }
