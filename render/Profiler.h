// Optional timing of named sections (start-up steps, the passes of a frame) for the benchmark.
// Costs one null test unless a profiler is installed; when one is, every mark waits for the GL
// (glFinish), so that rendering time is charged to the section that queued the work.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

class Profiler {
public:
    // Ends the running section, if any, and starts the named one; null just ends.
    void mark(const char* section);
    // Every duration recorded per section, in seconds, in order.
    const std::map<std::string, std::vector<double>>& samples() const { return durations; }
    void clear() { durations.clear(); }

private:
    std::map<std::string, std::vector<double>> durations;
    std::string running;
    std::chrono::steady_clock::time_point started;
};

// Installs (or with null removes) the profiler that profileMark feeds.
void installProfiler(Profiler* profiler);
// The one installed now, or null.
Profiler* installedProfiler();
void profileMark(const char* section);
