// A bitmap font as GLUT draws it: each glyph a cell of bits around the raster position, and the
// distance the raster position moves after it.
#pragma once

#include <cstdint>

constexpr int GLYPH_CELL_SIZE = 16;
// Where the raster position lies in a cell, from its lower left corner.
constexpr int GLYPH_ORIGIN_X = 4;
constexpr int GLYPH_ORIGIN_Y = 4;
constexpr int FIRST_GLYPH = 32;
constexpr int GLYPH_COUNT = 95;  // the printable ASCII characters

struct Glyph {
    int advance;
    std::uint16_t rows[GLYPH_CELL_SIZE];  // bottom row first; bit 15 is the cell's left column
};

struct BitmapFont {
    Glyph glyphs[GLYPH_COUNT];
};

// GLUT's Helvetica 10, as tools/make-bitmap-font.cpp read it from freeglut.
extern const BitmapFont HELVETICA_10;
