#include "render/Overlay.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <sstream>

namespace {
const float TEXT_X = 10.0f;
const float TEXT_BASELINE_Y = 20.0f;
const float SPECTRUM_LEFT = 20.0f;
const float SPECTRUM_BOTTOM_MARGIN = 20.0f;
const float SPECTRUM_HEIGHT_PER_UNIT = 500.0f;

void setTexture2D(GLenum unit, bool enabled) {
    glActiveTexture(unit);
    if (enabled)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
}

void endOverlay() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
}  // namespace

std::string fpsText(double frameSeconds) {
    std::ostringstream stream;
    stream << 1.0 / frameSeconds;
    std::string word;
    std::istringstream(stream.str()) >> word;
    return "fps: " + word;
}

void beginOverlay(int windowWidth, int windowHeight) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, windowWidth, 0, windowHeight);
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, -float(windowHeight), 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void drawBitmapText(const char* text, float x, float y, float z) {
    glRasterPos3f(x, y, z);
    for (const char* c = text; *c; ++c) glutBitmapCharacter(GLUT_BITMAP_HELVETICA_10, *c);
}

void drawFpsText(double frameSeconds, int windowWidth, int windowHeight) {
    // The room pass leaves texturing on for units 1 and 2; bitmap text must be untextured.
    glUseProgram(0);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    setTexture2D(GL_TEXTURE1, false);
    setTexture2D(GL_TEXTURE2, false);
    glActiveTexture(GL_TEXTURE0);

    beginOverlay(windowWidth, windowHeight);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    drawBitmapText(fpsText(frameSeconds).c_str(), TEXT_X, TEXT_BASELINE_Y, 1.0f);
    endOverlay();

    setTexture2D(GL_TEXTURE0, true);
    setTexture2D(GL_TEXTURE1, true);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_LIGHTING);
}

void drawSpectrumLine(const float* spectrum, int windowWidth, int windowHeight) {
    glUseProgram(0);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);

    beginOverlay(windowWidth, windowHeight);
    glPushMatrix();
    glLoadIdentity();
    // Red at 0 through yellow-brown to green at 0.25; GL clamps what lies beyond.
    const float zeroLine = float(windowHeight) - SPECTRUM_BOTTOM_MARGIN;
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < SPECTRUM_LENGTH; ++i) {
        const float v = spectrum[i];
        glColor3f(1.0f - 4.0f * v, 4.0f * v, 0.0f);
        glVertex2f(SPECTRUM_LEFT + float(i), zeroLine - SPECTRUM_HEIGHT_PER_UNIT * v);
    }
    glEnd();
    endOverlay();

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}
