#include <GL/glew.h>

#include "render/Textures.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/ImageFiles.h"
#include "render/Random.h"

namespace {

// Shell recipe: every layer redraws the same hairs from the same seed, so a sparser layer
// holds the first hairs of a denser one and the fur thins out towards its tips.
constexpr unsigned SHELL_SEED = 23234;
constexpr float DENSEST_SHELL = 0.8f;
constexpr float SHELL_DENSITY_STEP = 0.02f;
constexpr float SPARSEST_SHELL = 0.02f;
constexpr float SHELL_ALPHA_SCALE = 200.0f;
constexpr float SHELL_ALPHA_EXPONENT = 1.5f;
constexpr float SHELL_BRIGHTNESS_SCALE = 300.0f;
constexpr float HAIR_TONE_RANGE = 1.1f;
constexpr float HAIR_TONE_OFFSET = 0.1f;
constexpr float HAIR_TONE_BRIGHTNESS = 50.0f;
constexpr int MAX_CHANNEL = 255;
constexpr int TEXEL_COUNT = SHELL_TEXTURE_SIZE * SHELL_TEXTURE_SIZE;

// Stand-in for an image that cannot be read: a normal pointing straight out of the surface.
constexpr int FALLBACK_SIZE = 4;
constexpr std::uint8_t FLAT_NORMAL_TEXEL[4] = {128, 128, 255, 255};

constexpr const char* LOADED_MESSAGE = "loading texture: ";
constexpr const char* FAILED_MESSAGE = "error loading image: ";

// A coordinate from 0 to 255 from one 15-bit draw.
int randomTexelCoordinate() { return nextRandom() * SHELL_TEXTURE_SIZE / (RANDOM_MAX + 1); }

void writeTexel(std::vector<std::uint8_t>& pixels, int row, int column, const std::uint8_t rgba[4]) {
    std::copy(rgba, rgba + 4, pixels.begin() + 4 * (SHELL_TEXTURE_SIZE * row + column));
}

// Every texture of the program is uploaded the same way: level 0, then the full mipmap chain.
GLuint uploadTexture(GLint wrap, GLsizei width, GLsizei height, GLenum format, const void* data) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, format, GL_UNSIGNED_BYTE, data);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, format, GL_UNSIGNED_BYTE, data);
    return texture;
}

GLuint uploadFlatNormalTexture() {
    std::vector<std::uint8_t> pixels;
    for (int texel = 0; texel < FALLBACK_SIZE * FALLBACK_SIZE; ++texel)
        pixels.insert(pixels.end(), FLAT_NORMAL_TEXEL, FLAT_NORMAL_TEXEL + 4);
    return uploadTexture(GL_REPEAT, FALLBACK_SIZE, FALLBACK_SIZE, GL_RGBA, pixels.data());
}

void printLine(const char* message, const char* path) {
    std::printf("%s%s\n", message, path);
    std::fflush(stdout);
}

}  // namespace

std::vector<float> shellDensities() {
    std::vector<float> densities;
    for (float density = DENSEST_SHELL; density >= SPARSEST_SHELL; density -= SHELL_DENSITY_STEP)
        densities.push_back(density);
    return densities;
}

int shellHairCount(float density, float densityScale) {
    const float hairs = float(TEXEL_COUNT) * density * densityScale;
    return int(std::ceil(hairs));
}

int shellAlpha(float density) {
    const float alpha = SHELL_ALPHA_SCALE * std::pow(density, SHELL_ALPHA_EXPONENT);
    return int(std::ceil(alpha));
}

void generateShellPixels(ShellTexture& shell, float density, float densityScale) {
    seedRandom(SHELL_SEED);
    const auto alpha = std::uint8_t(shellAlpha(density));
    const int hairCount = shellHairCount(density, densityScale);
    const float baseBrightness = SHELL_BRIGHTNESS_SCALE * (1.0f - density);
    shell.pixels.assign(4 * TEXEL_COUNT, 0);

    for (int hair = 0; hair < hairCount; ++hair) {
        const int row = randomTexelCoordinate();
        const int column = randomTexelCoordinate();
        const float tone = float(nextRandom()) * HAIR_TONE_RANGE / float(RANDOM_MAX + 1) - HAIR_TONE_OFFSET;
        const float brightness = HAIR_TONE_BRIGHTNESS * tone + baseBrightness;
        const auto value = std::uint8_t(std::min(MAX_CHANNEL, int(std::ceil(brightness))));
        // A few hairs are grey, the rest red; the shader decides what the colour means.
        const std::uint8_t grey[4] = {value, value, value, alpha};
        const std::uint8_t red[4] = {value, 0, 0, alpha};
        writeTexel(shell.pixels, row, column, tone < 0.0f ? grey : red);
    }
}

void makeShellTexture(ShellTexture& shell, float density, float densityScale) {
    generateShellPixels(shell, density, densityScale);
    shell.texture = uploadTexture(GL_CLAMP, SHELL_TEXTURE_SIZE, SHELL_TEXTURE_SIZE, GL_RGBA, shell.pixels.data());
}

void makeShellTextures(ShellList& shells, float densityScale) {
    for (const auto& shell : shells) glDeleteTextures(1, &shell->texture);
    shells.clear();
    for (float density : shellDensities()) {
        auto shell = std::make_unique<ShellTexture>();
        makeShellTexture(*shell, density, densityScale);
        shells.push_back(std::move(shell));
    }
}

void loadImageTexture(ImageTexture& record, const char* path) {
    glDeleteTextures(1, &record.texture);
    RgbaImage image;
    if (!readImage(path, image)) {
        printLine(FAILED_MESSAGE, path);
        record.texture = uploadFlatNormalTexture();
        return;
    }
    printLine(LOADED_MESSAGE, path);
    record.texture = uploadTexture(GL_REPEAT, image.width, image.height, GL_RGBA, image.rgba.data());
}
