#include "gles/ImmediateMode.h"

#include <cstddef>

#include "gles/ContextObjects.h"
#include "gles/LegacyGl.h"
#include "gles/LegacyState.h"
#include "gles/Programs.h"
#include "gles/VertexArrays.h"
#include "gles/Unhandled.h"

namespace {
const VertexLayout IMMEDIATE_LAYOUT = {{4, 3, 4, 4, 4}, IMMEDIATE_VERTEX_FLOATS};

struct Primitive {
    GLenum mode = GL_POINTS;
    std::vector<float> vertices;
};

Primitive& primitive() {
    static Primitive current;
    return current;
}

GLuint streamBuffer() {
    static ContextObjects<GLuint> buffer([](const GLuint& name) { glDeleteBuffers(1, &name); });
    if (!buffer.value) glGenBuffers(1, &buffer.value);
    return buffer.value;
}

std::vector<float> quadsAsTriangles(const std::vector<float>& quads) {
    const std::size_t quadFloats = 4 * IMMEDIATE_VERTEX_FLOATS;
    std::vector<float> triangles;
    triangles.reserve(quads.size() / 4 * 6);
    for (std::size_t quad = 0; quad + quadFloats <= quads.size(); quad += quadFloats)
        for (int corner : QUAD_TRIANGLE_CORNERS) {
            const auto first = quads.begin() + std::ptrdiff_t(quad + std::size_t(corner) * IMMEDIATE_VERTEX_FLOATS);
            triangles.insert(triangles.end(), first, first + IMMEDIATE_VERTEX_FLOATS);
        }
    return triangles;
}

void addVertex(float x, float y, float z) {
    const CurrentVertex& current = legacyState().current;
    std::vector<float>& vertices = primitive().vertices;
    vertices.insert(vertices.end(), {x, y, z, 1.0f});
    vertices.insert(vertices.end(), current.normal, current.normal + 3);
    vertices.insert(vertices.end(), current.texCoord[0], current.texCoord[0] + 4);
    vertices.insert(vertices.end(), current.texCoord[1], current.texCoord[1] + 4);
    vertices.insert(vertices.end(), current.colour, current.colour + 4);
}

void setTexCoord(int unit, GLfloat s, GLfloat t) {
    float* coordinate = legacyState().current.texCoord[unit];
    coordinate[0] = s;
    coordinate[1] = t;
    coordinate[2] = 0.0f;
    coordinate[3] = 1.0f;
}
}  // namespace

void drawImmediate(GLenum mode, const std::vector<float>& vertices) {
    // Orphaning the buffer's storage lets the driver keep drawing from the last contents.
    bindArrayBuffer(streamBuffer());
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(float)), vertices.data(), GL_STREAM_DRAW);
    pointAttributes(interleaved(streamBuffer(), IMMEDIATE_LAYOUT));
    glDrawArrays(mode, 0, GLsizei(vertices.size() / IMMEDIATE_VERTEX_FLOATS));
}

void fzglBegin(GLenum mode) {
    if (mode != GL_QUADS && !isEsDrawMode(mode)) refuseUnhandled("glBegin", mode);
    primitive().mode = mode;
    primitive().vertices.clear();
}

void fzglEnd() {
    Primitive& drawn = primitive();
    if (drawn.vertices.empty()) return;
    prepareDraw();
    if (drawn.mode == GL_QUADS)
        drawImmediate(GL_TRIANGLES, quadsAsTriangles(drawn.vertices));
    else
        drawImmediate(drawn.mode, drawn.vertices);
}

void fzglVertex2f(GLfloat x, GLfloat y) { addVertex(x, y, 0.0f); }

void fzglVertex3f(GLfloat x, GLfloat y, GLfloat z) { addVertex(x, y, z); }

void fzglNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    float* normal = legacyState().current.normal;
    normal[0] = x;
    normal[1] = y;
    normal[2] = z;
}

void fzglColor3f(GLfloat r, GLfloat g, GLfloat b) { fzglColor4f(r, g, b, 1.0f); }

// Colours reach the fixed-function program clamped, as GL 2.0 clamps them.
void fzglColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    const auto clamp = [](float v) { return v < 0.0f ? 0.0f : v > 1.0f ? 1.0f : v; };
    float* colour = legacyState().current.colour;
    colour[0] = clamp(r);
    colour[1] = clamp(g);
    colour[2] = clamp(b);
    colour[3] = clamp(a);
}

void fzglTexCoord2f(GLfloat s, GLfloat t) { setTexCoord(0, s, t); }

void fzglMultiTexCoord2f(GLenum unit, GLfloat s, GLfloat t) {
    if (!isTextureUnit(unit)) return refuseUnhandled("glMultiTexCoord2f", unit);
    setTexCoord(int(unit - GL_TEXTURE0), s, t);
}
