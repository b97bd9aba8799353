#include "render/Screenshot.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {
constexpr int LAST_SCREENSHOT_NUMBER = 9999;

std::filesystem::path screenshotPath(const std::filesystem::path& folder, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "fuzzlets-%04d.png", number);
    return folder / name;
}

// GL counts rows from the bottom; pictures are read from the top.
std::vector<std::uint8_t> flipRows(const std::vector<std::uint8_t>& rgb, int width, int height) {
    const size_t rowBytes = size_t(width) * 3;
    std::vector<std::uint8_t> flipped(rgb.size());
    for (int row = 0; row < height; ++row)
        std::memcpy(&flipped[size_t(row) * rowBytes], &rgb[size_t(height - 1 - row) * rowBytes], rowBytes);
    return flipped;
}
}  // namespace

WindowPixels readWindowPixels(GLenum buffer) {
    WindowPixels pixels;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    // Between a resize and its reshape callback the viewport can be larger than the window,
    // and Mesa's software rasteriser does not clip a read outside it.
    pixels.width = std::min(viewport[2], glutGet(GLUT_WINDOW_WIDTH));
    pixels.height = std::min(viewport[3], glutGet(GLUT_WINDOW_HEIGHT));
    std::vector<std::uint8_t> bottomUp(size_t(pixels.width) * size_t(pixels.height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(buffer);
    glReadPixels(0, 0, pixels.width, pixels.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    pixels.rgb = flipRows(bottomUp, pixels.width, pixels.height);
    return pixels;
}

std::string writeNumberedScreenshot(const std::filesystem::path& folder) {
    for (int number = 1; number <= LAST_SCREENSHOT_NUMBER; ++number) {
        const std::filesystem::path path = screenshotPath(folder, number);
        std::error_code error;
        if (std::filesystem::exists(path, error) || error) continue;
        return writePng(path, readWindowPixels(GL_BACK)) ? path.string() : std::string();
    }
    return {};
}
