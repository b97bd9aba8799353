// The meshes against what the driver itself assembles from GLU's immediate-mode sphere and a
// GL_QUADS quad: every triangle's corners, position, normal and texture coordinates, as
// transform feedback hands them to a vertex shader. Equal to the bit, the frames are too.
#include <cstring>
#include <functional>
#include <vector>

#include "furballs/FurBall.h"
#include "render/Mesh.h"
#include "tests/gl/GlTestSupport.h"

namespace {
const char* const CAPTURE_SHADER =
    "#version 120\n"
    "varying vec3 position;\n"
    "varying vec3 normal;\n"
    "varying vec2 texCoord0;\n"
    "varying vec2 texCoord1;\n"
    "void main() {\n"
    "    position = gl_Vertex.xyz;\n"
    "    normal = gl_Normal;\n"
    "    texCoord0 = gl_MultiTexCoord0.st;\n"
    "    texCoord1 = gl_MultiTexCoord1.st;\n"
    "    gl_Position = vec4(0.0);\n"
    "}\n";
const char* const CAPTURED[] = {"position", "normal", "texCoord0", "texCoord1"};
constexpr int FLOATS_PER_CORNER = 3 + 3 + 2 + 2;
constexpr int MOST_TRIANGLES = 2000;

GLuint captureProgram() {
    const GLuint shader = glCreateShader(GL_VERTEX_SHADER);
    glShaderSource(shader, 1, &CAPTURE_SHADER, nullptr);
    glCompileShader(shader);
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    glTransformFeedbackVaryings(program, 4, CAPTURED, GL_INTERLEAVED_ATTRIBS);
    glLinkProgram(program);
    glDeleteShader(shader);
    return program;
}

// The corners of the triangles draw() makes, in the driver's order.
std::vector<float> assembledTriangles(const std::function<void()>& draw) {
    const GLuint program = captureProgram();
    GLuint buffer = 0, query = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_TRANSFORM_FEEDBACK_BUFFER, buffer);
    glBufferData(GL_TRANSFORM_FEEDBACK_BUFFER, MOST_TRIANGLES * 3 * FLOATS_PER_CORNER * sizeof(float), nullptr,
                 GL_STATIC_READ);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffer);
    glGenQueries(1, &query);
    glUseProgram(program);
    glEnable(GL_RASTERIZER_DISCARD);
    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, query);
    glBeginTransformFeedback(GL_TRIANGLES);
    draw();
    glEndTransformFeedback();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
    glDisable(GL_RASTERIZER_DISCARD);
    GLuint triangles = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
    std::vector<float> corners(size_t(triangles) * 3 * FLOATS_PER_CORNER);
    glGetBufferSubData(GL_TRANSFORM_FEEDBACK_BUFFER, 0, GLsizeiptr(corners.size() * sizeof(float)), corners.data());
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, 0);
    glDeleteQueries(1, &query);
    glDeleteBuffers(1, &buffer);
    glUseProgram(0);
    glDeleteProgram(program);
    return corners;
}

std::vector<float> meshTriangles(const MeshData& data, TextureUnit coordinateUnit) {
    Mesh mesh;
    mesh.make(data, coordinateUnit);
    return assembledTriangles([&mesh] {
        mesh.bind();
        mesh.draw();
        mesh.unbind();
    });
}

// The first float that differs, as corner and component, for the failure message.
std::string firstDifference(const std::vector<float>& expected, const std::vector<float>& actual) {
    for (size_t i = 0; i < expected.size() && i < actual.size(); ++i)
        if (std::memcmp(&expected[i], &actual[i], sizeof(float)) != 0)
            return "corner " + std::to_string(i / FLOATS_PER_CORNER) + " component " +
                   std::to_string(i % FLOATS_PER_CORNER) + ": " + std::to_string(expected[i]) + " against " +
                   std::to_string(actual[i]);
    return expected.size() == actual.size() ? "" : "lengths " + std::to_string(expected.size()) + " against " +
                                                       std::to_string(actual.size());
}
}  // namespace

TEST(MeshTest, TheShellSphereAndTheRoomQuadAreTheTrianglesGluAndImmediateModeGave) {
    startTestScene();
    if (!GLEW_VERSION_3_0) GTEST_SKIP() << "transform feedback needs GL 3.0";
    // The current texture coordinates show through where a draw sends none.
    glMultiTexCoord2f(GL_TEXTURE0, 0.25f, 0.75f);
    glMultiTexCoord2f(GL_TEXTURE1, 0.5f, 0.125f);

    const std::vector<float> glu = assembledTriangles([] {
        GLUquadric* quadric = gluNewQuadric();
        gluQuadricTexture(quadric, GL_TRUE);
        gluSphere(quadric, 0.5, 20, 20);
        gluDeleteQuadric(quadric);
    });
    EXPECT_EQ(glu.size(), size_t(20 * 20 * 2 * 3 * FLOATS_PER_CORNER));
    EXPECT_EQ(firstDifference(glu, meshTriangles(shellSphereData(), FUR_SHELL_UNIT)), "");

    glMultiTexCoord2f(GL_TEXTURE0, 0.25f, 0.75f);
    const std::vector<float> quads = assembledTriangles([] {
        glBegin(GL_QUADS);
        glNormal3f(0.0f, 1.0f, 0.0f);
        const float corners[4][2] = {{-1.0f, -1.0f}, {-1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, -1.0f}};
        for (const auto& corner : corners) {
            glMultiTexCoord2f(GL_TEXTURE1, (corner[0] + 1.0f) / 2.0f, (corner[1] + 1.0f) / 2.0f);
            glVertex3f(corner[0], 0.0f, corner[1]);
        }
        glEnd();
    });
    EXPECT_EQ(firstDifference(quads, meshTriangles(unitQuadMeshData(), QUAD_COORDINATE_UNIT)), "");
}
