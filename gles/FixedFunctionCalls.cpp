// Light 0, the front material and the switches that only fixed function had: state the layer
// keeps for the shaders' built-in uniforms and its own fixed-function drawing. Switches ES 3.0
// has go on to the driver. glPushAttrib keeps both kinds.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "gles/LegacyEnums.h"
#include "gles/LegacyGl.h"
#include "gles/LegacyState.h"
#include "gles/Unhandled.h"
#include "platform/GlContext.h"

namespace {
// The driver's own switches that the attribute groups the program pushes cover.
constexpr GLenum DRIVER_SWITCHES[] = {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_POLYGON_OFFSET_FILL, GL_SCISSOR_TEST};

void copy4(float to[4], const GLfloat* from) { std::memcpy(to, from, 4 * sizeof(float)); }

// GL 2.0's half vector for a light at infinity and a viewer at infinity along +z.
void updateHalfVector(LightSource& light) {
    const float* p = light.position;
    const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    float half[3] = {p[0] / length, p[1] / length, p[2] / length + 1.0f};
    const float halfLength = std::sqrt(half[0] * half[0] + half[1] * half[1] + half[2] * half[2]);
    for (int i = 0; i < 3; ++i) light.halfVector[i] = half[i] / halfLength;
    light.halfVector[3] = 0.0f;
}

// Lighting is the shaders' work, and every fixed-function draw of the program is unlit; shaders
// normalise their own normals. Texturing per unit decides the fixed-function draws' colour.
void setSwitch(GLenum capability, bool on) {
    LegacyState& state = legacyState();
    if (capability == GL_LIGHTING || capability == GL_LIGHT0 || capability == GL_NORMALIZE) return;
    if (capability == GL_TEXTURE_2D) {
        state.units[state.activeUnit].texture2D = on;
        return;
    }
    if (!isEsCapability(capability)) refuseUnhandled(on ? "glEnable" : "glDisable", capability);
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

void restoreTextureUnits(const SavedAttributes& saved, LegacyState& state) {
    for (int unit = 0; unit < TEXTURE_UNIT_COUNT; ++unit) {
        glActiveTexture(GLenum(GL_TEXTURE0 + unit));
        glBindTexture(GL_TEXTURE_2D, saved.units[unit].boundTexture);
        state.units[unit] = saved.units[unit];
    }
    state.activeUnit = saved.activeUnit;
    glActiveTexture(GLenum(GL_TEXTURE0 + state.activeUnit));
}

// The textures and the program the layer follows went with the lost context, which comes back
// with none bound and unit 0 active: the layer believes the same, and hands the context the
// program's active unit (on a live context the unbinding is real too).
void forgetLostBindings() {
    LegacyState& state = legacyState();
    SavedAttributes unbound;
    unbound.activeUnit = state.activeUnit;
    for (int unit = 0; unit < TEXTURE_UNIT_COUNT; ++unit) {
        unbound.units[unit] = state.units[unit];
        unbound.units[unit].boundTexture = 0;
    }
    restoreTextureUnits(unbound, state);
    state.luminanceDepthTextures.clear();
    state.viewportKnown = false;
    state.clientArrays.arrayBuffer = 0;
    state.clientArrays.elementBuffer = 0;
    state.program = 0;
    glUseProgram(0);
}
}  // namespace

// GL 2.0's initial light and material, with their products.
LegacyState& legacyState() {
    static LegacyState state = [] {
        LegacyState initial;
        updateLightProducts(initial);
        whenGlContextRestored(GlContextUser::GlLayer, forgetLostBindings);
        return initial;
    }();
    return state;
}

void updateLightProducts(LegacyState& state) {
    const LightSource& light = state.light0;
    const Material& material = state.frontMaterial;
    LightProduct& product = state.frontLightProduct;
    for (int i = 0; i < 3; ++i) {
        product.ambient[i] = light.ambient[i] * material.ambient[i];
        product.diffuse[i] = light.diffuse[i] * material.diffuse[i];
        product.specular[i] = light.specular[i] * material.specular[i];
    }
    // The products carry the material's alpha, as the driver hands them.
    product.ambient[3] = material.ambient[3];
    product.diffuse[3] = material.diffuse[3];
    product.specular[3] = material.specular[3];
    state.lightingChanged();
}

// Only light 0 is lit in this program.
void fzglLightfv(GLenum light, GLenum name, const GLfloat* values) {
    LegacyState& state = legacyState();
    if (light != GL_LIGHT0) return refuseUnhandled("glLightfv", light);
    LightSource& light0 = state.light0;
    switch (name) {
    case GL_AMBIENT: copy4(light0.ambient, values); break;
    case GL_DIFFUSE: copy4(light0.diffuse, values); break;
    case GL_SPECULAR: copy4(light0.specular, values); break;
    case GL_POSITION:
        // A position is stored in eye space, through the modelview of the moment it is given.
        transform(state.modelView.back(), values, light0.position);
        updateHalfVector(light0);
        break;
    default: return refuseUnhandled("glLightfv", name);
    }
    updateLightProducts(state);
}

void fzglMaterialfv(GLenum face, GLenum name, const GLfloat* values) {
    LegacyState& state = legacyState();
    if (face != GL_FRONT && face != GL_FRONT_AND_BACK) return refuseUnhandled("glMaterialfv", face);
    Material& material = state.frontMaterial;
    switch (name) {
    case GL_AMBIENT: copy4(material.ambient, values); break;
    case GL_DIFFUSE: copy4(material.diffuse, values); break;
    case GL_SPECULAR: copy4(material.specular, values); break;
    case GL_SHININESS: material.shininess = values[0]; break;
    default: return refuseUnhandled("glMaterialfv", name);
    }
    updateLightProducts(state);
}

void fzglMateriali(GLenum face, GLenum name, GLint value) {
    const GLfloat asFloat[4] = {float(value), 0.0f, 0.0f, 0.0f};
    fzglMaterialfv(face, name, asFloat);
}

void fzglShadeModel(GLenum mode) { legacyState().shadeModel = mode; }

void fzglTexEnvi(GLenum target, GLenum name, GLint value) {
    LegacyState& state = legacyState();
    if (target != GL_TEXTURE_ENV || name != GL_TEXTURE_ENV_MODE) return refuseUnhandled("glTexEnvi", name);
    state.units[state.activeUnit].environmentMode = GLenum(value);
}

void fzglEnable(GLenum capability) { setSwitch(capability, true); }

void fzglDisable(GLenum capability) { setSwitch(capability, false); }

// The driver's active unit is always the one the layer follows, so an unchanged one needs no call.
void fzglActiveTexture(GLenum unit) {
    if (!isTextureUnit(unit)) return refuseUnhandled("glActiveTexture", unit);
    LegacyState& state = legacyState();
    if (state.activeUnit == int(unit - GL_TEXTURE0)) return;
    state.activeUnit = int(unit - GL_TEXTURE0);
    glActiveTexture(unit);
}

void fzglViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    LegacyState& state = legacyState();
    const GLint viewport[4] = {x, y, width, height};
    std::copy(viewport, viewport + 4, state.viewport);
    state.viewportKnown = true;
    glViewport(x, y, width, height);
}

const GLint* currentViewport() {
    LegacyState& state = legacyState();
    if (!state.viewportKnown) glGetIntegerv(GL_VIEWPORT, state.viewport);
    state.viewportKnown = true;
    return state.viewport;
}

void fzglPushAttrib(GLbitfield mask) {
    LegacyState& state = legacyState();
    SavedAttributes saved;
    saved.mask = mask;
    std::copy(currentViewport(), currentViewport() + 4, saved.viewport);
    for (GLenum capability : DRIVER_SWITCHES) saved.driverSwitches.emplace_back(capability, glIsEnabled(capability));
    saved.activeUnit = state.activeUnit;
    std::copy(std::begin(state.units), std::end(state.units), saved.units);
    saved.current = state.current;
    saved.raster = state.raster;
    state.attributeStack.push_back(saved);
}

void fzglPopAttrib() {
    LegacyState& state = legacyState();
    if (state.attributeStack.empty()) return;
    const SavedAttributes saved = state.attributeStack.back();
    state.attributeStack.pop_back();
    if (saved.mask & GL_VIEWPORT_BIT)
        fzglViewport(saved.viewport[0], saved.viewport[1], saved.viewport[2], saved.viewport[3]);
    if (saved.mask & GL_ENABLE_BIT) {
        for (const auto& [capability, on] : saved.driverSwitches) on ? glEnable(capability) : glDisable(capability);
        for (int unit = 0; unit < TEXTURE_UNIT_COUNT; ++unit) state.units[unit].texture2D = saved.units[unit].texture2D;
    }
    if (saved.mask & GL_TEXTURE_BIT) restoreTextureUnits(saved, state);
    if (saved.mask & GL_CURRENT_BIT) {
        state.current = saved.current;
        state.raster = saved.raster;
    }
}
