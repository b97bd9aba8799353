// The light's depth texture drawn as grey levels in a square at the bottom right of the window:
// near the light dark, far light. The balls' silhouettes there are what casts their shadows.
#pragma once

#include <GL/glew.h>

// Draws over the finished picture in window pixels, a third of the window's height on a side.
// The texture's depth comparison is off while it is drawn and back as it was afterwards.
void drawShadowMapView(GLuint depthTexture, int windowWidth, int windowHeight);
