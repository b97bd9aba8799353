// Where each of the layer's attributes comes from in a draw: a buffer, or the current value
// glNormal, glTexCoord or glColor last set, as in GL 2.0. The driver is told only what changed
// since the draw before, as a vertex array object would keep it.
#pragma once

#include <GLES3/gl3.h>

#include <cstdint>

#include "gles/ShaderInterface.h"

// One attribute drawn from a buffer of floats; 0 components: from the current value.
struct AttributeArray {
    GLint components = 0;
    GLuint buffer = 0;
    GLsizei stride = 0;
    std::uintptr_t offset = 0;
};

struct AttributeArrays {
    AttributeArray attributes[VERTEX_ATTRIBUTE_COUNT];
};

// Interleaved float vertices in one buffer, the attributes in the order of VertexAttribute; one
// left out of the draw (0 components) may still take its floats in the vertex, after the others.
struct VertexLayout {
    GLint components[VERTEX_ATTRIBUTE_COUNT];
    GLsizei floatsPerVertex;
};

AttributeArrays interleaved(GLuint buffer, const VertexLayout& layout);

// ES 3.0 has no quads: each is two triangles, split as GL 2.0 drivers split a quad, along the
// diagonal from its second corner to its fourth.
constexpr int QUAD_TRIANGLE_CORNERS[6] = {0, 1, 3, 1, 2, 3};

// Points every attribute at its array, or at its current value.
void pointAttributes(const AttributeArrays& arrays);

// GL_ARRAY_BUFFER's binding as the driver has it, bound only when it changes.
void bindArrayBuffer(GLuint buffer);
// A deleted buffer is unbound, and its name may come back for another buffer.
void forgetBuffer(GLuint buffer);
