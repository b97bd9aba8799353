// Measures the demo on the machine it runs on: start-up by step, frame time, the time of each
// pass of a frame, and peak resident memory. Prints a table, then the same figures as JSON.
#include <GL/glew.h>
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/FrameClock.h"
#include "app/FrameDriver.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "platform/Environment.h"
#include "platform/MemoryFigures.h"
#include "platform/StopRequests.h"
#include "render/Profiler.h"

namespace {

const int WARM_UP_FRAMES = 30;
const int MEASURED_FRAMES = 300;
const double FIXED_FRAME_SECONDS = 1.0 / 60.0;
const char* const STARTUP_STEPS[] = {"music", "shaders", "shell textures", "images",
                                     "physics and balls", "shadow target"};
const char* const FRAME_PASSES[] = {"world",     "shadow",    "camera",  "room",          "fur floor",
                                    "fur balls", "overlay",  "settings panel", "swap"};

using Clock = std::chrono::steady_clock;

// A stop request ends the run between frames, the scene shut down as at the end of a run.
void drawFrame() {
    if (stopRequested()) {
        Scene::destroyInstance();
        std::exit(stopExitStatus());
    }
    display();
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(share * double(values.size() - 1) + 0.5));
    return values[index];
}

double sumMilliseconds(const Profiler& profiler, const char* section) {
    const auto found = profiler.samples().find(section);
    if (found == profiler.samples().end()) return 0.0;
    double sum = 0.0;
    for (double seconds : found->second) sum += seconds;
    return 1000.0 * sum;
}

double medianMilliseconds(const Profiler& profiler, const char* section) {
    const auto found = profiler.samples().find(section);
    if (found == profiler.samples().end()) return 0.0;
    return 1000.0 * percentile(found->second, 0.5);
}

struct Figures {
    double windowMs = 0.0, startupMs = 0.0, firstFrameMs = 0.0;
    std::vector<std::pair<std::string, double>> startupSteps;
    double frameMedianMs = 0.0, frame95Ms = 0.0;
    std::vector<std::pair<std::string, double>> passes;
    double peakMemoryMb = 0.0;
};

void measureStartup(Figures& figures, char** argv, const Settings& settings) {
    Profiler profiler;
    const Clock::time_point start = Clock::now();
    installProfiler(&profiler);
    profileMark("window");
    int glutArgc = 1;
    startFuzzlets(&glutArgc, argv, AUDIO_OUTPUT_DEVICE, settings);
    installProfiler(nullptr);
    drawFrame();
    glFinish();
    figures.startupMs = millisecondsSince(start);
    for (const char* step : STARTUP_STEPS)
        figures.startupSteps.emplace_back(step, sumMilliseconds(profiler, step));
    double steps = 0.0;
    for (const auto& step : figures.startupSteps) steps += step.second;
    figures.firstFrameMs = figures.startupMs - steps - sumMilliseconds(profiler, "window");
    figures.windowMs = sumMilliseconds(profiler, "window");
}

void measureFrames(Figures& figures) {
    for (int i = 0; i < WARM_UP_FRAMES; ++i) drawFrame();
    std::vector<double> frameMs;
    for (int i = 0; i < MEASURED_FRAMES; ++i) {
        const Clock::time_point start = Clock::now();
        drawFrame();
        glFinish();
        frameMs.push_back(millisecondsSince(start));
    }
    figures.frameMedianMs = percentile(frameMs, 0.5);
    figures.frame95Ms = percentile(frameMs, 0.95);

    Profiler profiler;
    installProfiler(&profiler);
    for (int i = 0; i < MEASURED_FRAMES; ++i) drawFrame();
    installProfiler(nullptr);
    for (const char* pass : FRAME_PASSES) figures.passes.emplace_back(pass, medianMilliseconds(profiler, pass));
}

void printTable(const Figures& f) {
    std::printf("Fuzzlets benchmark, %dx%d, %s\n\n", WINDOW_WIDTH, WINDOW_HEIGHT,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%-28s %10s\n", "start-up step", "ms");
    std::printf("%-28s %10.1f\n", "window and GL context", f.windowMs);
    for (const auto& [step, ms] : f.startupSteps) std::printf("%-28s %10.1f\n", step.c_str(), ms);
    std::printf("%-28s %10.1f\n", "first frame", f.firstFrameMs);
    std::printf("%-28s %10.1f\n\n", "to the first swapped frame", f.startupMs);
    std::printf("%-28s %10.2f\n", "frame time, median (ms)", f.frameMedianMs);
    std::printf("%-28s %10.2f\n\n", "frame time, 95th pct (ms)", f.frame95Ms);
    std::printf("%-28s %10s\n", "pass (median)", "ms");
    for (const auto& [pass, ms] : f.passes) std::printf("%-28s %10.2f\n", pass.c_str(), ms);
    std::printf("\n%-28s %10.1f\n\n", "peak resident memory (MB)", f.peakMemoryMb);
}

void printJsonPairs(const std::vector<std::pair<std::string, double>>& pairs) {
    for (size_t i = 0; i < pairs.size(); ++i)
        std::printf("%s\"%s\": %.3f", i ? ", " : "", pairs[i].first.c_str(), pairs[i].second);
}

void printJson(const Figures& f) {
    std::printf("{\"width\": %d, \"height\": %d, \"startup_ms\": {\"window\": %.3f, ", WINDOW_WIDTH,
                WINDOW_HEIGHT, f.windowMs);
    printJsonPairs(f.startupSteps);
    std::printf(", \"first_frame\": %.3f, \"total\": %.3f}, ", f.firstFrameMs, f.startupMs);
    std::printf("\"frame_ms\": {\"median\": %.3f, \"p95\": %.3f}, \"pass_ms\": {", f.frameMedianMs, f.frame95Ms);
    printJsonPairs(f.passes);
    std::printf("}, \"peak_rss_mb\": %.1f}\n", f.peakMemoryMb);
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    const int settingsStatus = readSettingOptions(argc, argv, settings, "fuzzlets-bench");
    if (settingsStatus >= 0) return settingsStatus;
    bool panel = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--panel") == 0) {
            panel = true;
        } else if (std::strcmp(argv[i], "--no-op-gpu") == 0) {
            // Mesa's no-op driver takes every call and draws nothing: a GPU of infinite speed,
            // where the frame time is the CPU's share alone.
            setEnvironmentVariable("GALLIUM_NOOP", "true");
        } else {
            std::fprintf(stderr, "usage: fuzzlets-bench [--panel] [--no-op-gpu] [--set NAME=VALUE ...]\n"
                                 "  --panel       with the settings panel shown\n"
                                 "  --no-op-gpu   on Mesa's no-op driver: the CPU's share of a frame\n"
                                 "  --set         a setting changed, as for fuzzlets\n"
                                 "GL calls per frame: tools/count-gl-calls.sh\n");
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }
    FrameClock::useFixedFrameTime(FIXED_FRAME_SECONDS);
    Figures figures;
    measureStartup(figures, argv, settings);
    if (panel) scene->panel.toggle();
    measureFrames(figures);
    figures.peakMemoryMb = peakResidentMemoryMb();
    printTable(figures);
    printJson(figures);
    Scene::destroyInstance();
    return 0;
}
