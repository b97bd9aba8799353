// Shadow mapping: the fur balls are drawn depth-only from the light into a 1024 x 1024 depth
// texture; the main passes then look each fragment up in it through one texture matrix.
#pragma once

#include <GL/glew.h>

#include "camera/Light.h"
#include "camera/MathTypes.h"
#include "render/ShaderPrograms.h"

constexpr int SHADOW_MAP_SIZE = 1024;
constexpr float SHADOW_TEXEL_STEP = 1.0f / SHADOW_MAP_SIZE;

struct ShadowTarget {
    GLuint framebuffer = 0;
    GLuint depthTexture = 0;
};

// Creates the framebuffer with the depth texture attached; prints one line if it is incomplete.
ShadowTarget createShadowTarget();

// Binds the target, masks colour, culls front faces, loads the light's view and makes "depth"
// current: the caller then draws the shadow casters.
void beginShadowPass(const ShadowTarget& target, Light& light, ProgramTable& programs);
// Restores the window's framebuffer, viewport, culling and colour writes.
void endShadowPass();

// The frame's texture matrix from camera eye space to shadow-map coordinates; binds the depth
// texture on the active unit with depth comparison on.
Matrix4 applyShadowLookup(const ShadowTarget& target, const Matrix4& lightMatrix,
                          const Matrix4& inverseViewMatrix);
