// Writes the room's three images into <output-dir>: a tangent-space normal map of round bumps
// for the walls, and two seventies wallpapers (greens for the walls, oranges for the floor).
// Usage: make-textures <output-dir>
#include <IL/il.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "camera/MathTypes.h"

namespace {

constexpr int IMAGE_SIZE = 512;
// Each pixel averages SUPERSAMPLES x SUPERSAMPLES samples, so curved edges do not stair-step.
constexpr int SUPERSAMPLES = 4;
constexpr int JPEG_QUALITY = 95;
constexpr float PI = 3.14159265358979f;

// Normal map: a regular grid of hemispheres, BUMP_CELL pixels apart.
constexpr int BUMP_CELL = 64;
constexpr float BUMP_RADIUS = 25.0f;

// Wallpaper geometry, in units of one pattern cell (the cell size divides IMAGE_SIZE, so every
// pattern tiles seamlessly under GL_REPEAT).
constexpr float WAVE_AMPLITUDE = 0.12f;    // vertical swing of the background bands
constexpr float BANDS_PER_CELL = 5.0f;     // background stripes per cell height
constexpr float OUTLINE_WIDTH = 0.02f;
constexpr float RING_RADII[] = {0.10f, 0.19f, 0.29f, 0.36f, 0.47f};  // centre dot, then bands
constexpr float LINK_INNER_RADIUS = 0.29f;  // the rings that chain the big medallions together
constexpr float LINK_OUTER_RADIUS = 0.37f;

struct Colour {
    float r, g, b;
};

struct Palette {
    Colour background[2];                 // the two alternating wavy bands
    Colour ring[std::size(RING_RADII)];   // from the centre dot outwards
    Colour link;
    Colour outline;
};

struct Wallpaper {
    const char* fileName;
    int cellPixels;
    Palette palette;
};

const Wallpaper WALL_PAPER = {
    "70er_green.jpg",
    128,
    {{{46, 70, 30}, {68, 96, 38}},
     {{232, 226, 168}, {92, 128, 44}, {206, 212, 140}, {60, 92, 36}, {158, 182, 62}},
     {190, 206, 86},
     {26, 40, 18}},
};

const Wallpaper FLOOR_PAPER = {
    "70er.jpg",
    256,
    {{{90, 46, 18}, {118, 62, 22}},
     {{246, 172, 42}, {178, 70, 24}, {242, 204, 126}, {140, 56, 20}, {218, 112, 30}},
     {232, 150, 40},
     {52, 26, 10}},
};

const char* const NORMAL_MAP_FILE = "NMBalls.png";

using Pixels = std::vector<std::uint8_t>;

using Rgb = std::array<std::uint8_t, 3>;

std::uint8_t toByte(float value) { return std::uint8_t(std::lround(std::clamp(value, 0.0f, 255.0f))); }

// The mean of sample(x, y) over a grid of points spread evenly across one pixel's area.
template <typename Sample>
Colour averageOverPixel(int column, int row, Sample sample) {
    Colour sum = {0.0f, 0.0f, 0.0f};
    for (int sy = 0; sy < SUPERSAMPLES; ++sy) {
        for (int sx = 0; sx < SUPERSAMPLES; ++sx) {
            const Colour c = sample(column + (sx + 0.5f) / SUPERSAMPLES, row + (sy + 0.5f) / SUPERSAMPLES);
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
    }
    const float count = SUPERSAMPLES * SUPERSAMPLES;
    return {sum.r / count, sum.g / count, sum.b / count};
}

// An RGB image, row after row from the top, from pixel(column, row).
template <typename Pixel>
Pixels renderImage(Pixel pixel) {
    Pixels pixels;
    pixels.reserve(3 * IMAGE_SIZE * IMAGE_SIZE);
    for (int row = 0; row < IMAGE_SIZE; ++row) {
        for (int column = 0; column < IMAGE_SIZE; ++column) {
            const Rgb rgb = pixel(column, row);
            pixels.insert(pixels.end(), rgb.begin(), rgb.end());
        }
    }
    return pixels;
}

// The surface normal of the bump field at pixel position (x, y). x runs along the rows, y down
// the image (towards increasing texture t); z points out of the surface. On a hemisphere the
// normal is the point's own offset from the centre, lifted onto the unit sphere.
Vector3 bumpNormal(float x, float y) {
    const float centre = BUMP_CELL * 0.5f;
    const float dx = (std::fmod(x, float(BUMP_CELL)) - centre) / BUMP_RADIUS;
    const float dy = (std::fmod(y, float(BUMP_CELL)) - centre) / BUMP_RADIUS;
    const float squared = dx * dx + dy * dy;
    if (squared >= 1.0f) return {0.0f, 0.0f, 1.0f};
    return {dx, dy, std::sqrt(1.0f - squared)};
}

// RGB = normal x 0.5 + 0.5. Averaging the samples and renormalising keeps the flat ground at
// exactly (0, 0, 1), which encodes as (128, 128, 255).
Rgb normalMapPixel(int column, int row) {
    const Colour mean = averageOverPixel(column, row, [](float x, float y) {
        const Vector3 n = bumpNormal(x, y);
        return Colour{n.x, n.y, n.z};
    });
    const Vector3 sum = {mean.r, mean.g, mean.b};
    const Vector3 n = sum * (1.0f / length(sum));
    auto encode = [](float component) { return toByte(127.5f + 127.5f * component); };
    return {encode(n.x), encode(n.y), encode(n.z)};
}

// Offset of (u, v) from the nearest lattice point, the lattice shifted by `shift` cells.
Vector3 offsetFromLattice(float u, float v, float shift) {
    auto wrap = [shift](float a) { return a + shift - std::floor(a + shift) - 0.5f; };
    return {wrap(u), wrap(v), 0.0f};
}

// Which band of the concentric medallion a distance falls in, or -1 outside it.
int ringBand(float distance) {
    for (int band = 0; band < int(std::size(RING_RADII)); ++band)
        if (distance < RING_RADII[band]) return band;
    return -1;
}

bool nearEdge(float distance, float radius) { return std::fabs(distance - radius) < OUTLINE_WIDTH; }

// Three layers, back to front: wavy horizontal bands; big concentric medallions on the cell
// centres; thinner rings on the cell corners that weave over and under the medallions,
// alternating by quadrant so the two lattices interlock like a chain.
Colour wallpaperColour(const Wallpaper& paper, float x, float y) {
    const Palette& palette = paper.palette;
    const float u = x / paper.cellPixels;
    const float v = y / paper.cellPixels;

    const float wave = v + WAVE_AMPLITUDE * std::sin(2.0f * PI * u);
    const int stripe = int(std::floor(wave * BANDS_PER_CELL)) & 1;
    Colour colour = palette.background[stripe];

    const Vector3 medallion = offsetFromLattice(u, v, 0.0f);
    const float medallionDistance = length(medallion);
    const int band = ringBand(medallionDistance);
    if (band >= 0) {
        const bool edge = std::any_of(std::begin(RING_RADII), std::end(RING_RADII),
                                      [&](float r) { return nearEdge(medallionDistance, r); });
        colour = edge ? palette.outline : palette.ring[band];
    }

    const Vector3 link = offsetFromLattice(u, v, 0.5f);
    const float linkDistance = length(link);
    const bool onLink = linkDistance > LINK_INNER_RADIUS - OUTLINE_WIDTH &&
                        linkDistance < LINK_OUTER_RADIUS + OUTLINE_WIDTH;
    const bool linkOnTop = band < 0 || link.x * link.y > 0.0f;
    if (onLink && linkOnTop) {
        const bool edge = nearEdge(linkDistance, LINK_INNER_RADIUS) || nearEdge(linkDistance, LINK_OUTER_RADIUS);
        colour = edge ? palette.outline : palette.link;
    }
    return colour;
}

Rgb wallpaperPixel(const Wallpaper& paper, int column, int row) {
    const Colour c = averageOverPixel(column, row, [&paper](float x, float y) { return wallpaperColour(paper, x, y); });
    return {toByte(c.r), toByte(c.g), toByte(c.b)};
}

bool writeImage(const std::string& path, Pixels& pixels, ILenum type) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(IMAGE_SIZE, IMAGE_SIZE, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
    // Our rows run top to bottom, as in the files; without this DevIL flips them on saving.
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    const bool saved = ilSave(type, path.c_str());
    ilDeleteImages(1, &image);
    if (!saved) std::printf("could not write %s\n", path.c_str());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: make-textures <output-dir>\n");
        return 2;
    }
    const std::string directory = std::string(argv[1]) + "/";
    ilInit();
    ilEnable(IL_FILE_OVERWRITE);
    ilSetInteger(IL_JPG_QUALITY, JPEG_QUALITY);

    Pixels normalMap = renderImage(normalMapPixel);
    bool written = writeImage(directory + NORMAL_MAP_FILE, normalMap, IL_PNG);
    for (const Wallpaper* paper : {&WALL_PAPER, &FLOOR_PAPER}) {
        Pixels pixels = renderImage([paper](int column, int row) { return wallpaperPixel(*paper, column, row); });
        written = writeImage(directory + paper->fileName, pixels, IL_JPG) && written;
    }
    ilShutDown();
    return written ? 0 : 1;
}
