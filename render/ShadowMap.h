// Shadow mapping: the fur balls are drawn depth-only from the light into a square depth texture
// (1024 x 1024 unless the settings ask otherwise); the main passes then look each fragment up in
// it through one texture matrix.
#pragma once

#include <GL/glew.h>

#include "camera/Light.h"
#include "camera/MathTypes.h"
#include "render/ShaderPrograms.h"

constexpr int SHADOW_MAP_SIZE = 1024;
// The sizes the settings offer, smallest first.
constexpr int SHADOW_MAP_SIZES[] = {256, 512, 1024, 2048, 4096};

struct ShadowTarget {
    GLuint framebuffer = 0;
    GLuint depthTexture = 0;
    int size = SHADOW_MAP_SIZE;  // texels along each side
};

// One shadow-map texel in texture coordinates.
inline float shadowTexelStep(int size) { return 1.0f / float(size); }

// Creates the framebuffer with a size x size depth texture attached; prints one line if it is
// incomplete.
ShadowTarget createShadowTarget(int size = SHADOW_MAP_SIZE);
// Deletes the framebuffer and its depth texture, for a target of another size.
void deleteShadowTarget(const ShadowTarget& target);

// Binds the target, masks colour, culls front faces, loads the light's view and makes "depth"
// current: the caller then draws the shadow casters.
void beginShadowPass(const ShadowTarget& target, Light& light, ProgramTable& programs);
// Restores the window's framebuffer, viewport, culling and colour writes.
void endShadowPass();

// The frame's texture matrix from camera eye space to shadow-map coordinates; binds the depth
// texture on the active unit with depth comparison on.
Matrix4 applyShadowLookup(const ShadowTarget& target, const Matrix4& lightMatrix,
                          const Matrix4& inverseViewMatrix);
