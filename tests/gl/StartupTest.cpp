// One start-up: the GL state each pass leaves behind, the pointer,
// sizes down to zero and the overlay at the window's corners.
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
// The spectrum line's green, within a row of `row`.
bool greenLineAt(const Picture& picture, int x, int row) {
    for (int y = row - 1; y <= row + 1; ++y)
        if (picture.at(x, y).g > 200 && picture.at(x, y).r < 40 && picture.at(x, y).b < 40) return true;
    return false;
}
}  // namespace

// What it prints and loads shows in tests/gl/BadInputTest.cpp and in the captured picture.
TEST(StartupTest, EveryPassLeavesItsStateAndAnySizeKeepsItDrawingWithTheOverlayInItsCorners) {
    Scene* s = startTestScene();
    EXPECT_EQ(s->depthTexStep, 1.0f / 1024.0f);
    runFramesWithEvents(2);  // GLUT's first reshape of the new window has arrived
    GLint depthBefore = 0, depthAfter = 0, unit = 0, mode = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    const RoomResources room = {s->roomScale, s->normalMap1Texture.texture, s->normalMap2Texture.texture,
                                s->floorTexture.texture, &s->furShells, s->texMatrix, s->depthTexStep};
    glActiveTexture(GL_TEXTURE0);
    drawRoom(s->programs, room);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(unit, GL_TEXTURE0);
    EXPECT_EQ(mode, GL_MODELVIEW);

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

    // A quarter: green, 125 px above the zero row 20 px up from the bottom, 512 px from x = 20.
    // The red zero line shows in the captured picture (tests/program/CaptureToolTest.cpp).
    runFrames(1);  // the frame's end state, not the bare shadow pass's
    const std::vector<float> quarter(SPECTRUM_LENGTH, 0.25f);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSpectrumLine(quarter.data(), s->windowWidth, s->windowHeight);
    const Picture line = Picture::readBack();
    for (int x = 10; x <= 545; x += 17) EXPECT_EQ(greenLineAt(line, x, 480 - 20 - 125), x > 20 && x < 532) << x;

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
