// Writes gles/Helvetica10.cpp: GLUT's Helvetica 10 as the GL layer draws it, each printable ASCII
// glyph drawn by freeglut in a window and read back bit by bit, with its advance. Needs a display.
// Usage: make-bitmap-font > gles/Helvetica10.cpp
#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cstdio>

#include "gles/BitmapFont.h"

namespace {
Glyph readGlyph(int character) {
    glClear(GL_COLOR_BUFFER_BIT);
    glWindowPos2i(GLYPH_ORIGIN_X, GLYPH_ORIGIN_Y);
    glutBitmapCharacter(GLUT_BITMAP_HELVETICA_10, character);
    unsigned char pixels[GLYPH_CELL_SIZE][GLYPH_CELL_SIZE] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, GLYPH_CELL_SIZE, GLYPH_CELL_SIZE, GL_RED, GL_UNSIGNED_BYTE, pixels);
    Glyph glyph = {glutBitmapWidth(GLUT_BITMAP_HELVETICA_10, character), {}};
    for (int row = 0; row < GLYPH_CELL_SIZE; ++row)
        for (int column = 0; column < GLYPH_CELL_SIZE; ++column)
            if (pixels[row][column] != 0) glyph.rows[row] |= std::uint16_t(0x8000u >> column);
    return glyph;
}
}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_SINGLE);
    glutInitWindowSize(64, 64);
    glutCreateWindow("make-bitmap-font");
    glewInit();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    std::printf("// GLUT's Helvetica 10 as freeglut draws it, read back by tools/make-bitmap-font.cpp.\n"
                "#include \"gles/BitmapFont.h\"\n\n"
                "const BitmapFont HELVETICA_10 = {{\n");
    for (int character = FIRST_GLYPH; character < FIRST_GLYPH + GLYPH_COUNT; ++character) {
        const Glyph glyph = readGlyph(character);
        std::printf("    {%d, {", glyph.advance);
        for (int row = 0; row < GLYPH_CELL_SIZE; ++row) std::printf("%s0x%04x", row ? ", " : "", glyph.rows[row]);
        std::printf("}},  // '%c'\n", character);
    }
    std::printf("}};\n");
    return 0;
}
