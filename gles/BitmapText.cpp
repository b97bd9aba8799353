// GLUT's bitmap text: glRasterPos places a window position, each character draws its glyph's
// set bits there in the raster colour and moves the position on. Here a glyph is a quad over
// its cell in window pixels, its bits read from a font atlas made from the font's cells.
#include <cmath>
#include <vector>

#include "gles/BitmapFont.h"
#include "gles/ContextObjects.h"
#include "gles/ImmediateMode.h"
#include "gles/LegacyGl.h"
#include "gles/LegacyState.h"
#include "gles/Programs.h"

namespace {
constexpr int ATLAS_COLUMNS = 16;
constexpr int ATLAS_ROWS = (GLYPH_COUNT + ATLAS_COLUMNS - 1) / ATLAS_COLUMNS;
constexpr int ATLAS_WIDTH = ATLAS_COLUMNS * GLYPH_CELL_SIZE;
constexpr int ATLAS_HEIGHT = ATLAS_ROWS * GLYPH_CELL_SIZE;

// One texel per bit, opaque where the bit is set.
GLuint makeAtlas(const BitmapFont& font) {
    std::vector<unsigned char> rgba(4 * ATLAS_WIDTH * ATLAS_HEIGHT, 0);
    for (int index = 0; index < GLYPH_COUNT; ++index)
        for (int row = 0; row < GLYPH_CELL_SIZE; ++row)
            for (int column = 0; column < GLYPH_CELL_SIZE; ++column) {
                if (!(font.glyphs[index].rows[row] & (0x8000u >> column))) continue;
                const int x = index % ATLAS_COLUMNS * GLYPH_CELL_SIZE + column;
                const int y = index / ATLAS_COLUMNS * GLYPH_CELL_SIZE + row;
                for (int channel = 0; channel < 4; ++channel) rgba[size_t(4 * (y * ATLAS_WIDTH + x) + channel)] = 255;
            }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, ATLAS_WIDTH, ATLAS_HEIGHT, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

GLuint atlasTexture() {
    static ContextObjects<GLuint> atlas([](const GLuint& texture) { glDeleteTextures(1, &texture); });
    if (!atlas.value) atlas.value = makeAtlas(HELVETICA_10);
    return atlas.value;
}

void addCorner(std::vector<float>& vertices, const GLint viewport[4], float x, float y, float depth, float s, float t,
               const float colour[4]) {
    const float ndcX = 2.0f * (x - float(viewport[0])) / float(viewport[2]) - 1.0f;
    const float ndcY = 2.0f * (y - float(viewport[1])) / float(viewport[3]) - 1.0f;
    vertices.insert(vertices.end(), {ndcX, ndcY, 2.0f * depth - 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, s, t, 0.0f, 1.0f,
                                     0.0f, 0.0f, 0.0f, 1.0f});
    vertices.insert(vertices.end(), colour, colour + 4);
}

// The pixel a glyph's origin falls in. A position the arithmetic leaves a rounding short of a
// pixel's edge (207.99997 for 208) belongs to that pixel, as the exact value does: the driver's
// own rounding errors fall elsewhere, and text must not drop a row for them.
float wholePixel(float coordinate) {
    constexpr float ROUNDING = 1.0f / 1024.0f;
    return std::floor(coordinate + ROUNDING);
}

// Two triangles over the glyph's cell, in normalised device coordinates.
void addGlyphQuad(std::vector<float>& vertices, int index, const RasterPosition& raster, const GLint viewport[4]) {
    const float left = wholePixel(raster.window[0]) - float(GLYPH_ORIGIN_X);
    const float bottom = wholePixel(raster.window[1]) - float(GLYPH_ORIGIN_Y);
    const float size = float(GLYPH_CELL_SIZE);
    const float s0 = float(index % ATLAS_COLUMNS * GLYPH_CELL_SIZE) / float(ATLAS_WIDTH);
    const float t0 = float(index / ATLAS_COLUMNS * GLYPH_CELL_SIZE) / float(ATLAS_HEIGHT);
    const float s1 = s0 + size / float(ATLAS_WIDTH), t1 = t0 + size / float(ATLAS_HEIGHT);
    const float corners[6][4] = {{left, bottom, s0, t0}, {left + size, bottom, s1, t0}, {left + size, bottom + size, s1, t1},
                                 {left, bottom, s0, t0}, {left + size, bottom + size, s1, t1}, {left, bottom + size, s0, t1}};
    for (const auto& corner : corners)
        addCorner(vertices, viewport, corner[0], corner[1], raster.window[2], corner[2], corner[3], raster.colour);
}

// The quads are already in device coordinates: both matrices stand aside for them.
void drawGlyphQuads(const std::vector<float>& vertices) {
    LegacyState& state = legacyState();
    const int activeUnit = state.activeUnit;
    fzglActiveTexture(GL_TEXTURE0);
    const GLuint boundTexture = state.units[0].boundTexture;
    fzglBindTexture(GL_TEXTURE_2D, atlasTexture());
    state.modelView.push_back(identityMatrix());
    state.projection.push_back(identityMatrix());
    state.matricesChanged();
    prepareFixedFunctionDraw(FixedTexturing::BitmapMask);
    drawImmediate(GL_TRIANGLES, vertices);
    state.modelView.pop_back();
    state.projection.pop_back();
    state.matricesChanged();
    fzglBindTexture(GL_TEXTURE_2D, boundTexture);
    fzglActiveTexture(GLenum(GL_TEXTURE0 + activeUnit));
}

const Glyph* glyphOf(int character) {
    const int index = character - FIRST_GLYPH;
    return index >= 0 && index < GLYPH_COUNT ? &HELVETICA_10.glyphs[index] : nullptr;
}
}  // namespace

// The position through both matrices and the viewport into window coordinates; the colour is
// the current one, lighting being off wherever the program writes text.
void fzglRasterPos3f(GLfloat x, GLfloat y, GLfloat z) {
    LegacyState& state = legacyState();
    const float object[4] = {x, y, z, 1.0f};
    float eye[4], clip[4];
    transform(state.modelView.back(), object, eye);
    transform(state.projection.back(), eye, clip);
    const GLint* viewport = currentViewport();
    RasterPosition& raster = state.raster;
    raster.window[0] = float(viewport[0]) + (clip[0] / clip[3] + 1.0f) * float(viewport[2]) / 2.0f;
    raster.window[1] = float(viewport[1]) + (clip[1] / clip[3] + 1.0f) * float(viewport[3]) / 2.0f;
    raster.window[2] = (clip[2] / clip[3] + 1.0f) / 2.0f;
    std::copy(state.current.colour, state.current.colour + 4, raster.colour);
}

void* fzglutHelvetica10() { return const_cast<BitmapFont*>(&HELVETICA_10); }

// The whole string is one draw, its glyphs' quads side by side in one buffer.
void fzglutBitmapString(void* font, const unsigned char* text) {
    if (font != fzglutHelvetica10()) return;
    RasterPosition& raster = legacyState().raster;
    const GLint* viewport = currentViewport();
    std::vector<float> vertices;
    for (const unsigned char* c = text; *c; ++c) {
        const Glyph* glyph = glyphOf(*c);
        if (!glyph) continue;
        addGlyphQuad(vertices, *c - FIRST_GLYPH, raster, viewport);
        raster.window[0] += float(glyph->advance);
    }
    if (!vertices.empty()) drawGlyphQuads(vertices);
}

int fzglutBitmapLength(void* font, const unsigned char* text) {
    int length = 0;
    for (const unsigned char* c = text; *c && font == fzglutHelvetica10(); ++c)
        if (const Glyph* glyph = glyphOf(*c)) length += glyph->advance;
    return length;
}
