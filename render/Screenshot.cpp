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

constexpr size_t RGBA_BYTES = 4, RGB_BYTES = 3;

// GL counts rows from the bottom; pictures are read from the top. Alpha is dropped.
std::vector<std::uint8_t> topDownRgb(const std::vector<std::uint8_t>& rgba, int width, int height) {
    std::vector<std::uint8_t> rgb(size_t(width) * size_t(height) * RGB_BYTES);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* from = &rgba[size_t(height - 1 - row) * size_t(width) * RGBA_BYTES];
        std::uint8_t* to = &rgb[size_t(row) * size_t(width) * RGB_BYTES];
        for (int column = 0; column < width; ++column, from += RGBA_BYTES, to += RGB_BYTES)
            std::memcpy(to, from, RGB_BYTES);
    }
    return rgb;
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
    // RGBA bytes are the one colour read that OpenGL ES and WebGL 2 always allow.
    std::vector<std::uint8_t> bottomUp(size_t(pixels.width) * size_t(pixels.height) * RGBA_BYTES);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(buffer);
    glReadPixels(0, 0, pixels.width, pixels.height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    pixels.rgb = topDownRgb(bottomUp, pixels.width, pixels.height);
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
