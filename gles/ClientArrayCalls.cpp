// GL 2.0's vertex arrays on ES 3.0's generic attributes: glVertexPointer and its kin note where
// an attribute's floats lie, glEnableClientState whether the draw takes them, and a draw points
// the attributes there (or at the current values) before drawing.
#include <cstdint>
#include <vector>

#include "gles/ContextObjects.h"
#include "gles/LegacyEnums.h"
#include "gles/LegacyGl.h"
#include "gles/LegacyState.h"
#include "gles/Programs.h"
#include "gles/VertexArrays.h"
#include "gles/Unhandled.h"

namespace {
// The attribute a client state names; VERTEX_ATTRIBUTE_COUNT for one the layer has no use for.
GLuint attributeOf(GLenum array) {
    const LegacyState& state = legacyState();
    switch (array) {
    case GL_VERTEX_ARRAY: return VERTEX_ATTRIBUTE;
    case GL_NORMAL_ARRAY: return NORMAL_ATTRIBUTE;
    case GL_COLOR_ARRAY: return COLOUR_ATTRIBUTE;
    case GL_TEXTURE_COORD_ARRAY:
        return state.clientArrays.activeUnit == 0 ? TEX_COORD0_ATTRIBUTE
               : state.clientArrays.activeUnit == 1 ? TEX_COORD1_ATTRIBUTE
                                                    : VERTEX_ATTRIBUTE_COUNT;
    default: return VERTEX_ATTRIBUTE_COUNT;
    }
}

void setEnabled(GLenum array, bool enabled) {
    const GLuint attribute = attributeOf(array);
    if (attribute >= VERTEX_ATTRIBUTE_COUNT)
        return refuseUnhandled(enabled ? "glEnableClientState" : "glDisableClientState", array);
    legacyState().clientArrays.enabled[attribute] = enabled;
}

// The program's arrays are floats in buffers.
void point(GLenum array, GLint components, GLsizei stride, const void* pointer) {
    ClientArrays& arrays = legacyState().clientArrays;
    const GLuint attribute = attributeOf(array);
    if (attribute >= VERTEX_ATTRIBUTE_COUNT) return;
    const GLsizei tightStride = GLsizei(components * GLsizei(sizeof(float)));
    arrays.pointed.attributes[attribute] = {components, arrays.arrayBuffer, stride ? stride : tightStride,
                                            reinterpret_cast<std::uintptr_t>(pointer)};
}

// The enabled arrays from their vertex first on, and the current values for the rest.
AttributeArrays drawnArrays(GLint first = 0) {
    const ClientArrays& arrays = legacyState().clientArrays;
    AttributeArrays drawn;
    for (GLuint attribute = 0; attribute < VERTEX_ATTRIBUTE_COUNT; ++attribute) {
        if (!arrays.enabled[attribute]) continue;
        AttributeArray& array = drawn.attributes[attribute];
        array = arrays.pointed.attributes[attribute];
        array.offset += std::uintptr_t(first) * std::uintptr_t(array.stride);
    }
    return drawn;
}

// Indices that draw quads as their triangles, made for the most quads drawn yet.
struct QuadIndices {
    GLuint buffer = 0;
    GLsizei quads = 0;
};

void bindQuadIndices(GLsizei quads) {
    static ContextObjects<QuadIndices> made([](const QuadIndices& indices) { glDeleteBuffers(1, &indices.buffer); });
    QuadIndices& indices = made.value;
    if (!indices.buffer) glGenBuffers(1, &indices.buffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.buffer);
    if (quads > indices.quads) {
        std::vector<std::uint16_t> corners;
        for (GLsizei quad = 0; quad < quads; ++quad)
            for (int corner : QUAD_TRIANGLE_CORNERS) corners.push_back(std::uint16_t(4 * quad + corner));
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(corners.size() * sizeof(std::uint16_t)), corners.data(),
                     GL_STATIC_DRAW);
        indices.quads = quads;
    }
}
}  // namespace

void fzglBindBuffer(GLenum target, GLuint buffer) {
    ClientArrays& arrays = legacyState().clientArrays;
    if (target != GL_ARRAY_BUFFER) {
        if (target == GL_ELEMENT_ARRAY_BUFFER) arrays.elementBuffer = buffer;
        glBindBuffer(target, buffer);
        return;
    }
    arrays.arrayBuffer = buffer;
    bindArrayBuffer(buffer);
}

void fzglDeleteBuffers(GLsizei count, const GLuint* buffers) {
    ClientArrays& arrays = legacyState().clientArrays;
    for (GLsizei i = 0; i < count; ++i) {
        if (arrays.arrayBuffer == buffers[i]) arrays.arrayBuffer = 0;
        if (arrays.elementBuffer == buffers[i]) arrays.elementBuffer = 0;
        forgetBuffer(buffers[i]);
    }
    glDeleteBuffers(count, buffers);
}

void fzglEnableClientState(GLenum array) { setEnabled(array, true); }

void fzglDisableClientState(GLenum array) { setEnabled(array, false); }

void fzglClientActiveTexture(GLenum unit) {
    if (!isTextureUnit(unit)) return refuseUnhandled("glClientActiveTexture", unit);
    legacyState().clientArrays.activeUnit = int(unit - GL_TEXTURE0);
}

void fzglVertexPointer(GLint size, GLenum, GLsizei stride, const void* pointer) {
    point(GL_VERTEX_ARRAY, size, stride, pointer);
}

void fzglNormalPointer(GLenum, GLsizei stride, const void* pointer) { point(GL_NORMAL_ARRAY, 3, stride, pointer); }

void fzglTexCoordPointer(GLint size, GLenum, GLsizei stride, const void* pointer) {
    point(GL_TEXTURE_COORD_ARRAY, size, stride, pointer);
}

void fzglDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    if (mode != GL_QUADS && !isEsDrawMode(mode)) refuseUnhandled("glDrawElements", mode);
    prepareDraw();
    pointAttributes(drawnArrays());
    glDrawElements(mode, count, type, indices);
}

// ES 3.0 has no quads: they are drawn through indices of their triangles.
void fzglDrawArrays(GLenum mode, GLint first, GLsizei count) {
    if (mode != GL_QUADS && !isEsDrawMode(mode)) refuseUnhandled("glDrawArrays", mode);
    prepareDraw();
    if (mode != GL_QUADS) {
        pointAttributes(drawnArrays());
        glDrawArrays(mode, first, count);
        return;
    }
    pointAttributes(drawnArrays(first));
    const GLsizei quads = count / 4;
    bindQuadIndices(quads);
    glDrawElements(GL_TRIANGLES, 6 * quads, GL_UNSIGNED_SHORT, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, legacyState().clientArrays.elementBuffer);
}
