#include "platform/MemoryFigures.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace {
constexpr double BYTES_PER_MB = 1024.0 * 1024.0;
}

double residentMemoryMb() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / BYTES_PER_MB;
}

double peakResidentMemoryMb() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}
