// The layer's matrix stacks and light state against Mesa's own fixed-function state after the
// same calls: the matrices as glGetFloatv reads them, and the built-in uniforms as a GL 2.0
// shader sees them under the desktop GLSL and under the layer's GLSL ES prelude.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GLES3/gl3.h>

#include <cstdlib>
#include <string>

#include "gles/LegacyGl.h"
#include "gles/ShaderPrelude.h"

namespace {
// The same calls, made on the driver or on the layer.
struct DesktopGl {
    static constexpr auto matrixMode = glMatrixMode;
    static constexpr auto loadIdentity = glLoadIdentity;
    static constexpr auto pushMatrix = glPushMatrix;
    static constexpr auto popMatrix = glPopMatrix;
    static constexpr auto translate = glTranslatef;
    static constexpr auto rotate = glRotatef;
    static constexpr auto scale = glScalef;
    static constexpr auto multiply = glMultMatrixf;
    static constexpr auto ortho = glOrtho;
    static constexpr auto ortho2D = gluOrtho2D;
    static constexpr auto perspective = gluPerspective;
    static constexpr auto lookAt = gluLookAt;
    static constexpr auto light = glLightfv;
    static constexpr auto material = glMaterialfv;
    static constexpr auto materialInt = glMateriali;
    static constexpr auto getFloats = glGetFloatv;
    static constexpr auto linkProgram = glLinkProgram;
    static constexpr auto useProgram = glUseProgram;
    static constexpr auto begin = glBegin;
    static constexpr auto end = glEnd;
    static constexpr auto vertex = glVertex2f;
};
struct Layer {
    static constexpr auto matrixMode = fzglMatrixMode;
    static constexpr auto loadIdentity = fzglLoadIdentity;
    static constexpr auto pushMatrix = fzglPushMatrix;
    static constexpr auto popMatrix = fzglPopMatrix;
    static constexpr auto translate = fzglTranslatef;
    static constexpr auto rotate = fzglRotatef;
    static constexpr auto scale = fzglScalef;
    static constexpr auto multiply = fzglMultMatrixf;
    static constexpr auto ortho = fzglOrtho;
    static constexpr auto ortho2D = fzgluOrtho2D;
    static constexpr auto perspective = fzgluPerspective;
    static constexpr auto lookAt = fzgluLookAt;
    static constexpr auto light = fzglLightfv;
    static constexpr auto material = fzglMaterialfv;
    static constexpr auto materialInt = fzglMateriali;
    static constexpr auto getFloats = fzglGetFloatv;
    static constexpr auto linkProgram = fzglLinkProgram;
    static constexpr auto useProgram = fzglUseProgram;
    static constexpr auto begin = fzglBegin;
    static constexpr auto end = fzglEnd;
    static constexpr auto vertex = fzglVertex2f;
};

struct Matrices {
    float modelView[16], projection[16];
};

// A camera, a model's placement and the light and material, as the program sets them up;
// the matrices after a push and pop that must leave no trace.
template <class Gl>
Matrices placeEverything() {
    const GLfloat model[16] = {0.8f, 0.6f, 0.0f, 0.0f, -0.6f, 0.8f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.5f, -2.0f, 0.5f, 1.0f};
    const GLfloat direction[4] = {0.3f, 1.0f, 0.5f, 0.0f};
    const GLfloat ambient[4] = {0.2f, 0.3f, 0.4f, 1.0f}, diffuse[4] = {0.9f, 0.7f, 0.5f, 0.8f},
                  specular[4] = {0.6f, 0.5f, 0.9f, 0.7f};
    Gl::matrixMode(GL_PROJECTION);
    Gl::loadIdentity();
    Gl::perspective(60.0, 4.0 / 3.0, 0.5, 200.0);
    Gl::matrixMode(GL_MODELVIEW);
    Gl::loadIdentity();
    Gl::lookAt(1.0, 2.0, 9.0, 0.5, 0.0, -1.0, 0.0, 1.0, 0.2);
    Gl::light(GL_LIGHT0, GL_POSITION, direction);
    Gl::light(GL_LIGHT0, GL_AMBIENT, ambient);
    Gl::light(GL_LIGHT0, GL_DIFFUSE, diffuse);
    Gl::light(GL_LIGHT0, GL_SPECULAR, specular);
    Gl::material(GL_FRONT, GL_AMBIENT, diffuse);
    Gl::material(GL_FRONT, GL_DIFFUSE, specular);
    Gl::material(GL_FRONT, GL_SPECULAR, ambient);
    Gl::materialInt(GL_FRONT, GL_SHININESS, 40);
    Gl::multiply(model);
    Gl::translate(0.5f, -1.0f, 2.0f);
    Gl::pushMatrix();
    Gl::rotate(90.0f, 0.0f, 0.0f, 1.0f);
    Gl::popMatrix();
    Gl::rotate(37.0f, 1.0f, 2.0f, 3.0f);
    Gl::scale(2.0f, 3.0f, 4.0f);
    Matrices read;
    Gl::getFloats(GL_MODELVIEW_MATRIX, read.modelView);
    Gl::getFloats(GL_PROJECTION_MATRIX, read.projection);
    return read;
}

template <class Gl>
Matrices overlayProjection() {
    Gl::matrixMode(GL_PROJECTION);
    Gl::pushMatrix();
    Gl::loadIdentity();
    Gl::ortho2D(0.0, 640.0, 0.0, 480.0);
    Gl::ortho(-10.0, 10.0, -7.0, 12.0, 0.1, 40.0);
    Matrices read;
    Gl::getFloats(GL_PROJECTION_MATRIX, read.projection);
    Gl::popMatrix();
    Gl::matrixMode(GL_MODELVIEW);
    Gl::getFloats(GL_MODELVIEW_MATRIX, read.modelView);
    return read;
}

// Each built-in the program's shaders read, one at a time, scaled into colours.
const char* const VERTEX_SHADER = "void main() { gl_Position = gl_Vertex; }\n";
const char* const FRAGMENT_SHADER =
    "uniform int shown;\n"
    "vec4 builtIn() {\n"
    "    if (shown == 0) return gl_FrontLightProduct[0].ambient;\n"
    "    if (shown == 1) return gl_FrontLightProduct[0].diffuse;\n"
    "    if (shown == 2) return gl_FrontLightProduct[0].specular;\n"
    "    if (shown == 3) return gl_LightSource[0].position * 0.25 + 0.5;\n"
    "    if (shown == 4) return gl_LightSource[0].halfVector * 0.5 + 0.5;\n"
    "    if (shown == 5) return vec4(gl_FrontMaterial.shininess / 128.0);\n"
    "    if (shown == 6) return gl_LightModel.ambient;\n"
    "    if (shown == 7) return vec4(gl_NormalMatrix[0] * 0.5 + 0.5, 1.0);\n"
    "    if (shown == 8) return vec4(gl_NormalMatrix[1] * 0.5 + 0.5, 1.0);\n"
    "    if (shown == 9) return vec4(gl_NormalMatrix[2] * 0.5 + 0.5, 1.0);\n"
    "    return vec4(gl_LightSource[0].diffuse.rgb, gl_LightSource[0].ambient.a);\n"
    "}\n"
    "void main() { gl_FragColor = builtIn(); }\n";
constexpr int BUILT_IN_COUNT = 11;

GLuint compile(GLenum type, const std::string& text) {
    const GLuint shader = glCreateShader(type);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

template <class Gl>
GLuint program(const std::string& vertexPrelude, const std::string& fragmentPrelude) {
    const GLuint program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, vertexPrelude + VERTEX_SHADER));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, fragmentPrelude + FRAGMENT_SHADER));
    Gl::linkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    return program;
}

// Draws the whole window in the colour of one built-in and reads it back.
template <class Gl>
std::array<int, 4> shownColour(GLuint program, int shown) {
    Gl::useProgram(program);
    glUniform1i(glGetUniformLocation(program, "shown"), shown);
    Gl::begin(GL_QUADS);
    Gl::vertex(-1.0f, -1.0f);
    Gl::vertex(1.0f, -1.0f);
    Gl::vertex(1.0f, 1.0f);
    Gl::vertex(-1.0f, 1.0f);
    Gl::end();
    unsigned char rgba[4];
    glReadPixels(8, 8, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}
}  // namespace

TEST(LayerStateTest, MatricesAndLightStateReadAsMesasFixedFunctionStateAfterTheSameCalls) {
    int argc = 1;
    char name[] = "fuzzlets_gles_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_SINGLE);
    glutInitWindowSize(32, 32);
    glutCreateWindow("layer state");

    const Matrices desktop = placeEverything<DesktopGl>(), layer = placeEverything<Layer>();
    const Matrices desktopOverlay = overlayProjection<DesktopGl>(), layerOverlay = overlayProjection<Layer>();
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(layer.modelView[i], desktop.modelView[i], 1e-5f) << "modelview " << i;
        EXPECT_NEAR(layer.projection[i], desktop.projection[i], 1e-5f) << "projection " << i;
        EXPECT_NEAR(layerOverlay.modelView[i], desktopOverlay.modelView[i], 1e-5f) << "modelview after the overlay " << i;
        EXPECT_NEAR(layerOverlay.projection[i], desktopOverlay.projection[i], 1e-6f) << "overlay projection " << i;
    }

    const GLuint desktopProgram = program<DesktopGl>("#version 110\n", "#version 110\n");
    const GLuint layerProgram = program<Layer>(glslEsVersionBlock(GL_VERTEX_SHADER), glslEsVersionBlock(GL_FRAGMENT_SHADER));
    for (int shown = 0; shown < BUILT_IN_COUNT; ++shown) {
        const std::array<int, 4> expected = shownColour<DesktopGl>(desktopProgram, shown);
        const std::array<int, 4> seen = shownColour<Layer>(layerProgram, shown);
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_LE(std::abs(seen[size_t(channel)] - expected[size_t(channel)]), 1) << "built-in " << shown << ", channel " << channel;
    }
}
