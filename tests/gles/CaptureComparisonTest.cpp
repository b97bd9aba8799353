// The program drawn through the GL layer against the program drawn by the desktop GL, frame by
// frame, on the same rasteriser: every look and view the keys switch, the settings panel too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ImageFiles.h"
#include "tests/TestFiles.h"
#include "tests/program/RunningProgram.h"

namespace fs = std::filesystem;

namespace {
// Pixels within this many levels in every channel count as the same. ES 3.0 has no border
// colour for GL_CLAMP's half texel at the fur shells' edges, which leaves 3 to 4 % of the
// pixels, on the fur, a few levels apart; with the shells clamped to their edges in both
// builds, 99.99 % are within 2 levels.
constexpr int CLOSE_LEVELS = 2;
constexpr double CLOSE_SHARE_AT_LEAST = 0.95;
// No 16 × 16 block may be off by more than this many levels on average.
constexpr int BLOCK_SIZE = 16;
constexpr double BLOCK_MEAN_AT_MOST = 8.0;
// The frame compared, once the keys have acted, in a small window: the frames cost the
// rasteriser's time by their pixels.
constexpr int FRAMES = 10;
const char* const WINDOW_SIZE = "320x240";

struct Difference {
    double closeShare;
    double worstBlockMean;
};

Difference compare(const RgbaImage& a, const RgbaImage& b) {
    const int width = a.width, height = a.height;
    const auto channelDifference = [&](int x, int y, int channel) {
        const size_t at = 4 * (size_t(y) * size_t(width) + size_t(x)) + size_t(channel);
        return std::abs(int(a.rgba[at]) - int(b.rgba[at]));
    };
    int close = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int most = 0;
            for (int channel = 0; channel < 3; ++channel) most = std::max(most, channelDifference(x, y, channel));
            close += most <= CLOSE_LEVELS;
        }
    double worst = 0.0;
    for (int top = 0; top + BLOCK_SIZE <= height; top += BLOCK_SIZE)
        for (int left = 0; left + BLOCK_SIZE <= width; left += BLOCK_SIZE) {
            int sum = 0;
            for (int y = top; y < top + BLOCK_SIZE; ++y)
                for (int x = left; x < left + BLOCK_SIZE; ++x)
                    for (int channel = 0; channel < 3; ++channel) sum += channelDifference(x, y, channel);
            worst = std::max(worst, double(sum) / (3.0 * BLOCK_SIZE * BLOCK_SIZE));
        }
    return {double(close) / (double(width) * height), worst};
}

void capture(const char* tool, const std::vector<std::string>& script, const fs::path& folder) {
    std::vector<std::string> arguments = {tool, "--frames", std::to_string(FRAMES), "--size", WINDOW_SIZE, "--quiet",
                                          "--output", folder.string()};
    arguments.insert(arguments.end(), script.begin(), script.end());
    RunningProgram program(arguments);
    ASSERT_EQ(program.waitForExit(std::chrono::seconds(600)), 0) << tool;
}

struct Case {
    const char* name;
    std::vector<std::string> script;
};
}  // namespace

TEST(CaptureComparisonTest, TheLayerDrawsEveryLookAndViewAsTheDesktopGlDoes) {
    const std::vector<Case> cases = {
        {"default", {}},
        {"plain look", {"--at", "1:tap=3"}},
        {"shadow map", {"--at", "1:tap=1"}},
        {"shell steps", {"--at", "1:tap=2"}},
        {"help panel", {"--at", "1:tap=h"}},
        {"spectrum line", {"--at", "1:tap=u"}},
        {"settings panel", {"--at", "1:tap=Tab"}},
    };
    for (const Case& shown : cases) {
        const fs::path folder = emptyFolder("layer-capture");
        capture(FUZZLETS_CAPTURE, shown.script, folder / "desktop");
        capture(FUZZLETS_CAPTURE_GLES, shown.script, folder / "layer");
        char name[32];
        std::snprintf(name, sizeof name, "frame-%05d.png", FRAMES);
        RgbaImage desktop, layer;
        ASSERT_TRUE(readImage(folder / "desktop" / name, desktop)) << shown.name;
        ASSERT_TRUE(readImage(folder / "layer" / name, layer)) << shown.name;
        const Difference difference = compare(desktop, layer);
        std::printf("%s: %.3f %% within %d levels, worst block %.2f levels\n", shown.name,
                    100.0 * difference.closeShare, CLOSE_LEVELS, difference.worstBlockMean);
        EXPECT_GE(difference.closeShare, CLOSE_SHARE_AT_LEAST) << shown.name;
        EXPECT_LE(difference.worstBlockMean, BLOCK_MEAN_AT_MOST) << shown.name;
    }
}
