// One start-up: the GL state each pass leaves behind, the pointer,
// sizes down to zero and the overlay at the window's corners.
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "render/Overlay.h"
#include "render/Room.h"
#include "render/ShadowMap.h"
#include "tests/gl/GlTestSupport.h"

namespace {
// Text pixels in the frame-rate corner: 10 px in, baseline 20.
int whiteInFpsCorner(const Picture& picture) {
    int count = 0;
    for (int y = 5; y < 25; ++y)
        for (int x = 15; x < 35; ++x) count += picture.at(x, y).brightness() > 600;
    return count;
}
// The spectrum line, red (zero) or green, within a row of `row`.
bool lineAt(const Picture& picture, int x, int row, bool red) {
    for (int y = row - 1; y <= row + 1; ++y) {
        const Rgb p = picture.at(x, y);
        if ((red ? p.r : p.g) > 200 && (red ? p.g : p.r) < 40 && p.b < 40) return true;
    }
    return false;
}
}  // namespace

// What it prints and loads shows in tests/gl/BadInputTest.cpp and in the captured picture.
TEST(StartupTest, EveryPassLeavesTheStateItPromises) {
    Scene* s = startTestScene();
    EXPECT_EQ(s->depthTexStep, 1.0f / 1024.0f);
    runFramesWithEvents(2);  // GLUT's first reshape of the new window has arrived
    const auto integer = [](GLenum name) {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    };
    const GLint stackDepth = integer(GL_MODELVIEW_STACK_DEPTH);
    const RoomResources room = {s->roomScale, s->normalMap1Texture.texture, s->normalMap2Texture.texture,
                                s->floorTexture.texture, &s->furShells, s->texMatrix, s->depthTexStep};
    glActiveTexture(GL_TEXTURE0);
    drawRoom(s->programs, room);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), stackDepth);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);

    // A shadow pass that left its viewport, culling, colour mask or framebuffer behind spoils the
    // picture (tests/program/CaptureToolTest.cpp); the light's matrices are checked here.
    renderShadowMap();
    // GL builds the light's matrices; they stay loaded until the camera replaces them, and
    // lightMatrix is made of them.
    Matrix4 projection, view;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    glGetFloatv(GL_MODELVIEW_MATRIX, view.m);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(projection.m[i], lightProjectionMatrix().m[i], 1e-6f);
        EXPECT_NEAR(view.m[i], lightViewMatrix(s->light.position).m[i], 1e-5f);
        EXPECT_NEAR(s->light.lightMatrix.m[i], lightMatrixFor(s->light.position).m[i], 1e-5f);
    }

    // The pointer turns the view only away from the centre.
    const Matrix3 before = s->camera.rotation;
    passiveMotion(s->pointerCentreX, s->pointerCentreY);
    EXPECT_EQ(s->camera.rotation.m[0][0], before.m[0][0]);
    passiveMotion(s->pointerCentreX + 30, s->pointerCentreY);
    EXPECT_NE(s->camera.rotation.m[0][0], before.m[0][0]);
}

TEST(StartupTest, AnySizeKeepsItDrawingWithTheOverlayInItsCorners) {
    Scene* s = startTestScene();
    runFramesWithEvents(2);
    // Zero and a quarter: red along the zero row 20 px up from the bottom, green 125 px above,
    // 512 px from x = 20.
    std::vector<float> spectrum(SPECTRUM_LENGTH, 0.0f);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSpectrumLine(spectrum.data(), s->windowWidth, s->windowHeight);
    spectrum.assign(SPECTRUM_LENGTH, 0.25f);
    drawSpectrumLine(spectrum.data(), s->windowWidth, s->windowHeight);
    const Picture lines = Picture::readBack();
    const int zeroRow = 480 - 20;
    for (int x = 21; x <= 530; x += 17) {
        EXPECT_TRUE(lineAt(lines, x, zeroRow, true)) << x;
        EXPECT_TRUE(lineAt(lines, x, zeroRow - 125, false)) << x;
    }
    EXPECT_FALSE(lineAt(lines, 10, zeroRow, true));
    EXPECT_FALSE(lineAt(lines, 545, zeroRow, true));

    // X has no empty windows: a zero size can only arrive as GLUT's reshape callback.
    for (const auto& size : {std::make_pair(300, 0), std::make_pair(0, 0)}) {
        reshape(size.first, size.second);
        runFrames(1);
        EXPECT_EQ(s->windowHeight, 1);
        EXPECT_EQ(s->windowWidth, size.first);
        EXPECT_FLOAT_EQ(s->aspect, float(size.first));
    }
    for (const auto& size : {std::make_pair(1, 1), std::make_pair(400, 300)}) {
        glutReshapeWindow(size.first, size.second);
        runFramesWithEvents(3);
        // The pointer is held at the centre of the window as GLUT reports it.
        EXPECT_EQ(s->pointerCentreX, glutGet(GLUT_WINDOW_WIDTH) / 2);
        EXPECT_EQ(s->pointerCentreY, glutGet(GLUT_WINDOW_HEIGHT) / 2);
    }
    EXPECT_EQ(s->windowHeight, 300);
    EXPECT_GT(whiteInFpsCorner(Picture::readBack()), 5);
}
