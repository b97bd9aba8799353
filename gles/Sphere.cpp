// GLU's sphere as a mesh made once per radius, slices and stacks (and again in a restored
// context): the vertices, normals and texture coordinates GLU sends for a textured, smooth,
// outward sphere, in its order (one quad strip per stack from the +z pole down), kept as indexed
// triangles with the strips' winding.
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "gles/ContextObjects.h"
#include "gles/LegacyGl.h"
#include "gles/Programs.h"
#include "gles/VertexArrays.h"

struct GLUquadric {
    // Without texture coordinates GLU leaves the current ones in place; the mesh carries them
    // all the same and the draw takes the current value instead.
    bool textureCoordinates = false;
};

namespace {
constexpr double PI = 3.14159265358979323846;
// Position, normal, texture coordinates.
constexpr GLsizei SPHERE_VERTEX_FLOATS = 8;
const VertexLayout TEXTURED_LAYOUT = {{3, 3, 2, 0, 0}, SPHERE_VERTEX_FLOATS};
const VertexLayout UNTEXTURED_LAYOUT = {{3, 3, 0, 0, 0}, SPHERE_VERTEX_FLOATS};

struct SphereMesh {
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    GLsizei indexCount = 0;
};

using SphereKey = std::tuple<double, int, int>;

// One ring of the sphere at polar angle phi, as GLU keeps it: its radius (zero at the poles, so
// the sphere comes to a point), height and the sine and cosine the normals take.
struct Ring {
    float radius, z, sinPhi, cosPhi;
};

void addVertex(std::vector<float>& vertices, float sinTheta, float cosTheta, const Ring& ring, float s, float t) {
    vertices.insert(vertices.end(), {ring.radius * sinTheta, ring.radius * cosTheta, ring.z});
    vertices.insert(vertices.end(), {sinTheta * ring.sinPhi, cosTheta * ring.sinPhi, ring.cosPhi});
    vertices.insert(vertices.end(), {s, t});
}

SphereMesh makeSphere(double radius, int slices, int stacks) {
    std::vector<float> sinTheta(size_t(slices) + 1), cosTheta(size_t(slices) + 1);
    for (int i = 0; i < slices; ++i) {
        const double angle = 2.0 * PI * i / slices;
        sinTheta[size_t(i)] = float(std::sin(angle));
        cosTheta[size_t(i)] = float(std::cos(angle));
    }
    // The seam closes exactly on its first vertex.
    sinTheta[size_t(slices)] = sinTheta[0];
    cosTheta[size_t(slices)] = cosTheta[0];
    std::vector<Ring> rings(size_t(stacks) + 1);
    for (int j = 0; j <= stacks; ++j) {
        const double angle = PI * j / stacks;
        const float sinPhi = float(std::sin(angle)), cosPhi = float(std::cos(angle));
        const bool pole = j == 0 || j == stacks;
        rings[size_t(j)] = {pole ? 0.0f : float(radius * std::sin(angle)), float(radius * std::cos(angle)), sinPhi, cosPhi};
    }

    std::vector<float> vertices;
    std::vector<std::uint16_t> indices;
    for (int j = 0; j < stacks; ++j) {
        const auto first = std::uint16_t(vertices.size() / SPHERE_VERTEX_FLOATS);
        for (int i = 0; i <= slices; ++i) {
            const float s = 1.0f - float(i) / float(slices);
            const float sin = sinTheta[size_t(i)], cos = cosTheta[size_t(i)];
            addVertex(vertices, sin, cos, rings[size_t(j) + 1], s, 1.0f - float(j + 1) / float(stacks));
            addVertex(vertices, sin, cos, rings[size_t(j)], s, 1.0f - float(j) / float(stacks));
        }
        // Each quad of the strip as two triangles split along the diagonal from its first
        // vertex to its last, as Mesa's own decomposition splits it, winding kept.
        for (int k = 0; k < slices; ++k) {
            const auto v = [&](int offset) { return std::uint16_t(first + 2 * k + offset); };
            indices.insert(indices.end(), {v(2), v(0), v(3), v(0), v(1), v(3)});
        }
    }
    SphereMesh mesh;
    glGenBuffers(1, &mesh.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(float)), vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glGenBuffers(1, &mesh.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(std::uint16_t)), indices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    mesh.indexCount = GLsizei(indices.size());
    return mesh;
}

void deleteMeshes(const std::map<SphereKey, SphereMesh>& meshes) {
    for (const auto& [key, mesh] : meshes) {
        glDeleteBuffers(1, &mesh.vertexBuffer);
        glDeleteBuffers(1, &mesh.indexBuffer);
    }
}

const SphereMesh& sphere(double radius, int slices, int stacks) {
    static ContextObjects<std::map<SphereKey, SphereMesh>> meshes(deleteMeshes);
    const SphereKey key{radius, slices, stacks};
    auto found = meshes.value.find(key);
    if (found == meshes.value.end()) found = meshes.value.emplace(key, makeSphere(radius, slices, stacks)).first;
    return found->second;
}
}  // namespace

GLUquadric* fzgluNewQuadric() { return new GLUquadric; }

void fzgluDeleteQuadric(GLUquadric* quadric) { delete quadric; }

void fzgluQuadricTexture(GLUquadric* quadric, GLboolean textureCoordinates) {
    quadric->textureCoordinates = textureCoordinates == GL_TRUE;
}

void fzgluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) {
    const SphereMesh& mesh = sphere(radius, slices, stacks);
    prepareDraw();
    pointAttributes(mesh.vertexBuffer, quadric->textureCoordinates ? TEXTURED_LAYOUT : UNTEXTURED_LAYOUT);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    glDrawElements(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_SHORT, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
