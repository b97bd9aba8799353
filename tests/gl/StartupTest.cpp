// One start-up: the GL state each pass leaves behind, the pointer,
// sizes down to zero and the overlay at the window's corners.
#include "app/Window.h"
#include "render/Overlay.h"
#include "render/Room.h"
#include "render/ShadowMap.h"
#include "tests/gl/GlTestSupport.h"

// What it prints and loads shows in tests/gl/BadInputTest.cpp and in the captured picture.
TEST(StartupTest, EveryPassLeavesItsStateAndAnySizeKeepsItDrawingWithTheOverlayInItsCorners) {
    Scene* s = startTestScene();
    EXPECT_EQ(s->depthTexStep, 1.0f / 1024.0f);
    runFrames(2, true);  // GLUT's first reshape of the new window has arrived
    // The room's matrix pushes and pops show in the captured picture
    // (tests/program/CaptureToolTest.cpp); the texture unit the fur pass sets again itself.
    GLint unit = 0;
    const RoomResources room = {s->roomScale, s->normalMap1Texture.texture, s->normalMap2Texture.texture,
                                s->floorTexture.texture, &s->furShells, &s->roomQuad, s->texMatrix, s->depthTexStep};
    // The shadow map bound where the room reads it, as a frame binds it first.
    glActiveTexture(GL_TEXTURE0);
    applyShadowLookup(s->shadowTarget(), s->light.lightMatrix, s->camera.inverseViewMatrix);
    drawRoom(s->programs, room);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    EXPECT_EQ(unit, GL_TEXTURE0);

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
    const auto green = [&line](int x, int y) { return line.at(x, y).g > 200 && line.at(x, y).r < 40 && line.at(x, y).b < 40; };
    const int row = 480 - 20 - 125;
    for (int x = 10; x <= 545; x += 17)
        EXPECT_EQ(line.count({x, row - 1, x + 1, row + 2}, green) > 0, x > 20 && x < 532) << x;

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
        runFrames(3, true);
        // The pointer is held at the centre of the window as GLUT reports it.
        EXPECT_EQ(s->pointerCentreX, glutGet(GLUT_WINDOW_WIDTH) / 2);
        EXPECT_EQ(s->pointerCentreY, glutGet(GLUT_WINDOW_HEIGHT) / 2);
    }
    EXPECT_EQ(s->windowHeight, 300);
    // Text pixels in the frame-rate corner: 10 px in, baseline 20.
    const Picture corner = Picture::readBack();
    EXPECT_GT(corner.count({15, 5, 35, 25}, [&corner](int x, int y) { return corner.at(x, y).brightness() > 600; }), 5);
}
