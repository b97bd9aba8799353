#include "render/Mesh.h"

#include <cmath>
#include <cstddef>

namespace {
constexpr double PI = 3.14159265358979323846;

// One ring of the sphere at polar angle j * PI / stacks, in GLU's single-precision caches: its
// radius (zero at the poles, so the sphere comes to a point), its height, and the unscaled sine
// and cosine its normals take.
struct Ring {
    float radius, z, sinPhi, cosPhi;
};

// GLU rounds each angle to single precision before taking its sine and cosine.
float singleAngle(double angle) { return float(angle); }

std::vector<Ring> sphereRings(double radius, int stacks) {
    std::vector<Ring> rings(size_t(stacks) + 1);
    for (int j = 0; j <= stacks; ++j) {
        const float angle = singleAngle(PI * j / stacks);
        const bool pole = j == 0 || j == stacks;
        rings[size_t(j)] = {pole ? 0.0f : float(radius * std::sin(angle)), float(radius * std::cos(angle)),
                            float(std::sin(angle)), float(std::cos(angle))};
    }
    return rings;
}

MeshVertex ringVertex(float sinTheta, float cosTheta, const Ring& ring, float s, float t) {
    return {{ring.radius * sinTheta, ring.radius * cosTheta, ring.z},
            {sinTheta * ring.sinPhi, cosTheta * ring.sinPhi, ring.cosPhi},
            {s, t}};
}

void upload(GLenum target, GLuint& buffer, GLsizeiptr bytes, const void* data) {
    if (buffer) glDeleteBuffers(1, &buffer);
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, bytes, data, GL_STATIC_DRAW);
    glBindBuffer(target, 0);
}

// With a buffer bound, GL 2.0 takes an offset into it where it takes a pointer.
const void* bufferOffset(std::size_t offset) { return reinterpret_cast<const void*>(offset); }
}  // namespace

MeshData sphereMeshData(double radius, int slices, int stacks) {
    std::vector<float> sinTheta(size_t(slices) + 1), cosTheta(size_t(slices) + 1);
    for (int i = 0; i < slices; ++i) {
        const float angle = singleAngle(2.0 * PI * i / slices);
        sinTheta[size_t(i)] = float(std::sin(angle));
        cosTheta[size_t(i)] = float(std::cos(angle));
    }
    // The seam closes exactly on its first vertex.
    sinTheta[size_t(slices)] = sinTheta[0];
    cosTheta[size_t(slices)] = cosTheta[0];
    const std::vector<Ring> rings = sphereRings(radius, stacks);

    MeshData mesh;
    for (int j = 0; j < stacks; ++j) {
        const auto first = std::uint16_t(mesh.vertices.size());
        const float tLow = 1.0f - float(j + 1) / float(stacks), tHigh = 1.0f - float(j) / float(stacks);
        for (int i = 0; i <= slices; ++i) {
            const float s = 1.0f - float(i) / float(slices);
            const float sin = sinTheta[size_t(i)], cos = cosTheta[size_t(i)];
            mesh.vertices.push_back(ringVertex(sin, cos, rings[size_t(j) + 1], s, tLow));
            mesh.vertices.push_back(ringVertex(sin, cos, rings[size_t(j)], s, tHigh));
        }
        // Quad k of the strip is its vertices 2k .. 2k + 3: two triangles sharing the diagonal
        // from its first vertex to its last, the strip's winding kept.
        for (int k = 0; k < slices; ++k) {
            const auto v = [&](int offset) { return std::uint16_t(first + 2 * k + offset); };
            mesh.indices.insert(mesh.indices.end(), {v(2), v(0), v(3), v(0), v(1), v(3)});
        }
    }
    return mesh;
}

MeshData unitQuadMeshData() {
    MeshData mesh;
    // Counter-clockwise seen from +y, so the front face looks up the normal.
    const float corners[4][2] = {{-1.0f, -1.0f}, {-1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, -1.0f}};
    for (const auto& corner : corners) {
        const float x = corner[0], z = corner[1];
        mesh.vertices.push_back({{x, 0.0f, z}, {0.0f, 1.0f, 0.0f}, {(x + 1.0f) / 2.0f, (z + 1.0f) / 2.0f}});
    }
    mesh.mode = GL_QUADS;
    return mesh;
}

void Mesh::make(const MeshData& data, TextureUnit unit) {
    upload(GL_ARRAY_BUFFER, vertexBuffer, GLsizeiptr(data.vertices.size() * sizeof(MeshVertex)), data.vertices.data());
    vertexCount = GLsizei(data.vertices.size());
    indexCount = GLsizei(data.indices.size());
    if (indexCount)
        upload(GL_ELEMENT_ARRAY_BUFFER, indexBuffer, GLsizeiptr(data.indices.size() * sizeof(std::uint16_t)),
               data.indices.data());
    mode = data.mode;
    coordinateUnit = unit;
}

void Mesh::bind() const {
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    const GLsizei stride = sizeof(MeshVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, bufferOffset(offsetof(MeshVertex, position)));
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stride, bufferOffset(offsetof(MeshVertex, normal)));
    glClientActiveTexture(glTextureUnit(coordinateUnit));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, bufferOffset(offsetof(MeshVertex, texCoord)));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
}

void Mesh::draw() const {
    if (indexCount)
        glDrawElements(mode, indexCount, GL_UNSIGNED_SHORT, nullptr);
    else
        glDrawArrays(mode, 0, vertexCount);
}

// Immediate mode draws from the current values again, and a later glTexCoord lands on unit 0.
void Mesh::unbind() const {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glClientActiveTexture(GL_TEXTURE0);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
