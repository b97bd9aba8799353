// Fur shell textures generated at start-up and image textures decoded from the media files.
#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <memory>
#include <vector>

constexpr int SHELL_TEXTURE_SIZE = 256;
// The fur is this many layers deep, on the balls and on the floor.
constexpr int FUR_SHELL_COUNT = 40;

// One fur layer: a 256 x 256 RGBA pattern of single-texel hairs, kept after upload.
struct ShellTexture {
    GLuint texture = 0;
    std::vector<std::uint8_t> pixels;  // row after row, 4 bytes per texel
};

// The 40 layers, densest (nearest the surface) first; drawn in this order.
using ShellList = std::vector<std::unique_ptr<ShellTexture>>;

struct ImageTexture {
    GLuint texture = 0;
};

// The densities of the shells, densest first, stepped in single precision as the layers are made.
std::vector<float> shellDensities();
// Hairs drawn into a layer; densityScale thins or thickens the whole fur (1 draws the recipe as is).
int shellHairCount(float density, float densityScale = 1.0f);
int shellAlpha(float density);

// Fills shell.pixels from density without touching GL.
void generateShellPixels(ShellTexture& shell, float density, float densityScale = 1.0f);
// Generates the pixels and uploads them as a clamped, mipmapped texture.
void makeShellTexture(ShellTexture& shell, float density, float densityScale = 1.0f);
// Deletes the shells' textures, if any, and makes one uploaded shell per density, densest first.
void makeShellTextures(ShellList& shells, float densityScale = 1.0f);

// Deletes the record's texture, if any, decodes path and uploads it as a repeating, mipmapped
// texture. An image that cannot be read prints an error line and leaves the record with a small
// flat-normal texture.
void loadImageTexture(ImageTexture& record, const char* path);
