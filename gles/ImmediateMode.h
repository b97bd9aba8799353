// glBegin … glEnd: the vertices stream through one buffer and draw as ES 3.0 primitives.
#pragma once

#include <GLES3/gl3.h>

#include <vector>

// One immediate-mode vertex: position, normal, two texture coordinates and colour.
constexpr int IMMEDIATE_VERTEX_FLOATS = 4 + 3 + 4 + 4 + 4;

// Draws vertices laid out as IMMEDIATE_VERTEX_FLOATS each, with the program prepared already.
void drawImmediate(GLenum mode, const std::vector<float>& vertices);
