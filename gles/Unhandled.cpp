#include "gles/Unhandled.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include <GL/freeglut_std.h>

#include "gles/LegacyState.h"

namespace {
constexpr GLenum ES_DRAW_MODES[] = {GL_POINTS, GL_LINES, GL_LINE_LOOP, GL_LINE_STRIP,
                                    GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN};
constexpr GLenum ES_CAPABILITIES[] = {GL_BLEND, GL_CULL_FACE, GL_DEPTH_TEST, GL_DITHER, GL_POLYGON_OFFSET_FILL,
                                      GL_PRIMITIVE_RESTART_FIXED_INDEX, GL_RASTERIZER_DISCARD,
                                      GL_SAMPLE_ALPHA_TO_COVERAGE, GL_SAMPLE_COVERAGE, GL_SCISSOR_TEST,
                                      GL_STENCIL_TEST};

// What the program may ask glGetFloatv of the driver: the layer answers for the matrices.
constexpr GLenum ES_FLOAT_QUERIES[] = {GL_VIEWPORT, GL_DEPTH_RANGE, GL_COLOR_CLEAR_VALUE, GL_DEPTH_CLEAR_VALUE,
                                       GL_LINE_WIDTH, GL_ALIASED_LINE_WIDTH_RANGE, GL_POLYGON_OFFSET_FACTOR,
                                       GL_POLYGON_OFFSET_UNITS, GL_BLEND_COLOR};

template <size_t N>
bool isOneOf(GLenum value, const GLenum (&values)[N]) {
    return std::find(std::begin(values), std::end(values), value) != std::end(values);
}

#ifdef FUZZLETS_STRICT_GL_LAYER
[[noreturn]] void stop(const char* what, const char* call, GLenum value) {
    std::fprintf(stderr, "GL layer: %s %s 0x%04X\n", call, what, unsigned(value));
    std::abort();
}

// Whether the texture bound to a unit compares depth, read from the driver.
bool comparesDepth(int unit) {
    glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    GLint mode = GL_NONE;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &mode);
    glActiveTexture(GLenum(GL_TEXTURE0 + legacyState().activeUnit));
    return mode != GL_NONE;
}
#endif
}  // namespace

void refuseUnhandled([[maybe_unused]] const char* call, [[maybe_unused]] GLenum value) {
#ifdef FUZZLETS_STRICT_GL_LAYER
    stop("does not handle", call, value);
#endif
}

bool isEsDrawMode(GLenum mode) { return isOneOf(mode, ES_DRAW_MODES); }

bool isEsCapability(GLenum capability) { return isOneOf(capability, ES_CAPABILITIES); }

bool isEsFloatQuery(GLenum name) { return isOneOf(name, ES_FLOAT_QUERIES); }

bool isTextureUnit(GLenum unit) { return unit >= GL_TEXTURE0 && unit < GLenum(GL_TEXTURE0 + TEXTURE_UNIT_COUNT); }

void fzglutSwapBuffers() {
    checkFrameErrors();
    glutSwapBuffers();
}

void checkSamplerTextures([[maybe_unused]] GLuint program) {
#ifdef FUZZLETS_STRICT_GL_LAYER
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint index = 0; index < count; ++index) {
        char name[128] = "";
        GLint size = 0;
        GLenum type = GL_NONE;
        glGetActiveUniform(program, GLuint(index), sizeof name, nullptr, &size, &type, name);
        if (type != GL_SAMPLER_2D && type != GL_SAMPLER_2D_SHADOW) continue;
        GLint unit = 0;
        glGetUniformiv(program, glGetUniformLocation(program, name), &unit);
        if (!isTextureUnit(GLenum(GL_TEXTURE0 + unit))) stop("reads beyond the units followed", name, GLenum(unit));
        // A unit with no texture reads as zeros through either sampler.
        if (legacyState().units[unit].boundTexture == 0) continue;
        const bool shadow = type == GL_SAMPLER_2D_SHADOW;
        if (comparesDepth(unit) != shadow)
            stop(shadow ? "is a shadow sampler, and its texture does not compare depth: unit"
                        : "is a plain sampler, and its texture compares depth: unit",
                 name, GLenum(unit));
    }
#endif
}

void checkFrameErrors() {
#ifdef FUZZLETS_STRICT_GL_LAYER
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) stop("left the GL error", "a frame", error);
#endif
}
