// Geometry made once into GL buffers and drawn as often as a frame needs: the fur balls' shell
// sphere and the room's quad. Drawn through GL 2.0's vertex arrays, so the desktop and the GL
// layer share this one description of both.
#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <vector>

#include "render/TextureUnits.h"

struct MeshVertex {
    float position[3];
    float normal[3];
    float texCoord[2];
};

// Indexed triangles, or without indices the vertices as primitives of mode; front faces
// counter-clockwise.
struct MeshData {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint16_t> indices;
    GLenum mode = GL_TRIANGLES;
};

// The sphere gluSphere draws with texture coordinates and smooth outward normals: its vertices
// in GLU's order and arithmetic (one quad strip per stack, from the +z pole down), each quad
// split into two triangles as the driver splits a quad strip, so a frame drawn from the mesh
// is the frame GLU's immediate-mode sphere gave, to the byte.
MeshData sphereMeshData(double radius, int slices, int stacks);

// The 2 x 2 quad in the plane y = 0, centred on the origin and facing +y, with
// s = (x + 1) / 2 and t = (z + 1) / 2: one GL_QUADS quad, which the driver splits into triangles
// as it split the immediate-mode quad (no index order reproduces its rounding on every face).
MeshData unitQuadMeshData();

class Mesh {
public:
    // Uploads data into buffers of its own, replacing any made before (a restored context's
    // names are gone already; deleting them is harmless). Its texture coordinates go to
    // coordinateUnit.
    void make(const MeshData& data, TextureUnit coordinateUnit);

    // Points the vertex arrays at the mesh. Draw as often as needed, then unbind: nothing else
    // draws from vertex arrays in between.
    void bind() const;
    void draw() const;
    void unbind() const;

private:
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    GLsizei indexCount = 0;
    GLsizei vertexCount = 0;
    GLenum mode = GL_TRIANGLES;
    TextureUnit coordinateUnit = FUR_SHELL_UNIT;
};
