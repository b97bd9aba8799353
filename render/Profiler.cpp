#include "render/Profiler.h"

#include <GL/glew.h>

namespace {
Profiler* installed = nullptr;
}

void Profiler::mark(const char* section) {
    glFinish();
    const auto now = std::chrono::steady_clock::now();
    if (!running.empty())
        durations[running].push_back(std::chrono::duration<double>(now - started).count());
    running = section ? section : "";
    started = now;
}

void installProfiler(Profiler* profiler) { installed = profiler; }

Profiler* installedProfiler() { return installed; }

void profileMark(const char* section) {
    if (installed) installed->mark(section);
}
