// Interleaved float vertices for the layer's attributes. An attribute the vertices do not carry
// takes the current value glNormal, glTexCoord or glColor last set, as in GL 2.0.
#pragma once

#include <GLES3/gl3.h>

#include "gles/ShaderInterface.h"

// Attributes lie in the vertex in the order of VertexAttribute; one left out of the draw (0
// components) may still take its floats in the vertex, after the others.
struct VertexLayout {
    GLint components[VERTEX_ATTRIBUTE_COUNT];  // 0: not drawn from the vertices
    GLsizei floatsPerVertex;
};

// Points every attribute at buffer as the layout says, or at its current value.
void pointAttributes(GLuint buffer, const VertexLayout& layout);
