#include "render/ShadowMapView.h"

#include "render/Overlay.h"

namespace {
constexpr int VIEW_FRACTION_OF_HEIGHT = 3;

void drawTexturedSquare(float left, float top, float side) {
    // Overlay y grows downwards, texture t upwards: the light's "up" stays at the top.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, top);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, top + side);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(left + side, top + side);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(left + side, top);
    glEnd();
}
}  // namespace

void drawShadowMapView(GLuint depthTexture, int windowWidth, int windowHeight) {
    // Fixed-function texturing on unit 0 alone; the room leaves units 1 and 2 textured.
    glUseProgram(0);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE2}) {
        glActiveTexture(unit);
        glDisable(GL_TEXTURE_2D);
    }
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, depthTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // With comparison on, a lookup yields lit or shadowed, not the stored depth. Texture
    // parameters belong to the texture, so the mode is put back by hand, not by the attribute pop.
    GLint compareMode = GL_NONE;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &compareMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    glTexParameteri(GL_TEXTURE_2D, GL_DEPTH_TEXTURE_MODE, GL_LUMINANCE);

    beginOverlay(windowWidth, windowHeight);
    glPushMatrix();
    glLoadIdentity();
    const float side = float(windowHeight / VIEW_FRACTION_OF_HEIGHT);
    drawTexturedSquare(float(windowWidth) - side, float(windowHeight) - side, side);
    endOverlay();

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, compareMode);
    glPopAttrib();
}
