#include "render/Overlay.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <algorithm>
#include <sstream>

namespace {
const float TEXT_X = 10.0f;
const float TEXT_BASELINE_Y = 20.0f;
// On the overlay's near plane, so the depth test never hides text.
const float TEXT_Z = 1.0f;
const float SPECTRUM_LEFT = 20.0f;
const float SPECTRUM_BOTTOM_MARGIN = 20.0f;
const float SPECTRUM_HEIGHT_PER_UNIT = 500.0f;
// GLUT_BITMAP_HELVETICA_10 is 13 pixels from line to line; the panel starts one gap below the
// frame rate, with the actions in a column wide enough for "Escape".
const float HELP_LINE_HEIGHT = 13.0f;
const float HELP_FIRST_BASELINE_Y = TEXT_BASELINE_Y + 18.0f;
const float HELP_ACTION_X = TEXT_X + 45.0f;
// Text over the patterned wallpaper reads on a translucent dark backdrop reaching this far
// around it; the first line's capitals rise this far above its baseline.
const float BACKDROP_MARGIN = 5.0f;
const float TEXT_ASCENT = 10.0f;
const float BACKDROP_OPACITY = 0.6f;

void setTexture2D(GLenum unit, bool enabled) {
    glActiveTexture(unit);
    if (enabled)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
}

// Untextured, unlit drawing in window pixels, for the spectrum line and the help panel.
void beginFlatOverlay(int windowWidth, int windowHeight) {
    glUseProgram(0);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    beginOverlay(windowWidth, windowHeight);
    glPushMatrix();
    glLoadIdentity();
}

void endFlatOverlay() {
    endOverlay();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

int textWidth(const std::string& text) {
    return glutBitmapLength(GLUT_BITMAP_HELVETICA_10, reinterpret_cast<const unsigned char*>(text.c_str()));
}

// Where a line of the key table splits into its key and its action; npos for a plain line.
size_t actionStart(const std::string& line) {
    const size_t padding = line.find("  ");
    return padding == std::string::npos ? padding : line.find_first_not_of(' ', padding);
}

float helpLineRight(const std::string& line) {
    const size_t action = actionStart(line);
    if (action == std::string::npos) return TEXT_X + float(textWidth(line));
    return HELP_ACTION_X + float(textWidth(line.substr(action)));
}

// Lines of text below the frame rate, 13 pixels apart.
float baselineOf(size_t line) { return HELP_FIRST_BASELINE_Y + HELP_LINE_HEIGHT * float(line); }

void drawHelpLine(const std::string& line, float baseline) {
    const size_t action = actionStart(line);
    if (action == std::string::npos) {
        drawBitmapText(line.c_str(), TEXT_X, baseline, TEXT_Z);
        return;
    }
    drawBitmapText(line.substr(0, line.find("  ")).c_str(), TEXT_X, baseline, TEXT_Z);
    drawBitmapText(line.c_str() + action, HELP_ACTION_X, baseline, TEXT_Z);
}
}  // namespace

void endOverlay() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

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

// The string in one call, each character advancing the raster position by its own width, as
// one call per character would: a string is then one draw where bitmaps are textured quads.
void drawBitmapText(const char* text, float x, float y, float z) {
    glRasterPos3f(x, y, z);
    glutBitmapString(GLUT_BITMAP_HELVETICA_10, reinterpret_cast<const unsigned char*>(text));
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
    drawBitmapText(fpsText(frameSeconds).c_str(), TEXT_X, TEXT_BASELINE_Y, TEXT_Z);
    endOverlay();

    setTexture2D(GL_TEXTURE0, true);
    setTexture2D(GL_TEXTURE1, true);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_LIGHTING);
}

void drawSpectrumLine(const float* spectrum, int windowWidth, int windowHeight) {
    beginFlatOverlay(windowWidth, windowHeight);
    // Red at 0 through yellow-brown to green at 0.25; GL clamps what lies beyond.
    const float zeroLine = float(windowHeight) - SPECTRUM_BOTTOM_MARGIN;
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < SPECTRUM_LENGTH; ++i) {
        const float v = spectrum[i];
        glColor3f(1.0f - 4.0f * v, 4.0f * v, 0.0f);
        glVertex2f(SPECTRUM_LEFT + float(i), zeroLine - SPECTRUM_HEIGHT_PER_UNIT * v);
    }
    glEnd();
    endFlatOverlay();
}

void drawTextBackdrop(float left, float top, float right, float bottom) {
    // The text drawn after it lies at the same depth; the backdrop must not hide it.
    glDepthMask(GL_FALSE);
    glColor4f(0.0f, 0.0f, 0.0f, BACKDROP_OPACITY);
    // On the text's plane, so the depth test passes it wherever it passes the text.
    glBegin(GL_QUADS);
    glVertex3f(left - BACKDROP_MARGIN, top - BACKDROP_MARGIN, TEXT_Z);
    glVertex3f(left - BACKDROP_MARGIN, bottom + BACKDROP_MARGIN, TEXT_Z);
    glVertex3f(right + BACKDROP_MARGIN, bottom + BACKDROP_MARGIN, TEXT_Z);
    glVertex3f(right + BACKDROP_MARGIN, top - BACKDROP_MARGIN, TEXT_Z);
    glEnd();
    glDepthMask(GL_TRUE);
}

static void drawBackdropBehindLines(size_t lineCount, float right) {
    drawTextBackdrop(TEXT_X, HELP_FIRST_BASELINE_Y - TEXT_ASCENT, right, baselineOf(lineCount - 1));
}

void drawShaderErrors(const std::string& text, int windowWidth, int windowHeight) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    if (lines.empty()) return;
    beginFlatOverlay(windowWidth, windowHeight);
    float right = TEXT_X;
    for (const std::string& line : lines) right = std::max(right, TEXT_X + float(textWidth(line)));
    drawBackdropBehindLines(lines.size(), right);
    glColor3f(1.0f, 0.3f, 0.3f);
    for (size_t line = 0; line < lines.size(); ++line) drawBitmapText(lines[line].c_str(), TEXT_X, baselineOf(line), TEXT_Z);
    endFlatOverlay();
}

void drawHelpPanel(const std::vector<std::string>& lines, int windowWidth, int windowHeight) {
    beginFlatOverlay(windowWidth, windowHeight);
    float right = TEXT_X;
    for (const std::string& line : lines) right = std::max(right, helpLineRight(line));
    drawBackdropBehindLines(lines.size(), right);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (size_t line = 0; line < lines.size(); ++line) drawHelpLine(lines[line], baselineOf(line));
    endFlatOverlay();
}
