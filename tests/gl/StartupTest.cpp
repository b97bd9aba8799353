#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "tests/gl/GlTestSupport.h"

TEST(StartupTest, StartsWithEverythingLoadedInOrder) {
    Scene* s = nullptr;
    const std::string output = captureOutput([&] { s = startTestScene(); });
    EXPECT_EQ(output,
              "yeah we got frambuffer objects!\n"
              "loading texture: media/textures/NMBalls.png\n"
              "loading texture: media/textures/70er_green.jpg\n"
              "loading texture: media/textures/70er.jpg\n");
    ASSERT_EQ(s, Scene::instance());
    EXPECT_EQ(s->windowWidth, 640);
    EXPECT_EQ(s->windowHeight, 480);
    EXPECT_FLOAT_EQ(s->aspect, 640.0f / 480.0f);
    EXPECT_EQ(s->pointerCentreX, 320);
    EXPECT_EQ(s->pointerCentreY, 240);
    EXPECT_EQ(glutGet(GLUT_WINDOW_X), 100);
    EXPECT_EQ(glutGet(GLUT_WINDOW_Y), 100);

    // Exactly the four programs, each compiled and linked (no log was printed above).
    std::vector<std::string> names;
    for (const auto& [name, program] : s->programs.entries()) {
        names.push_back(name);
        EXPECT_NE(program, 0u) << name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"depth", "floorFur", "fur", "normalMapping"}));
    EXPECT_EQ(s->program("nothing"), 0u);
    EXPECT_EQ(s->programs.entries().count("nothing"), 1u);

    EXPECT_EQ(s->furBalls.size(), 6u);
    EXPECT_EQ(s->furShells.size(), 40u);
    for (const auto& shell : s->furShells) EXPECT_TRUE(glIsTexture(shell->texture));
    for (const ImageTexture* image : {&s->normalMap1Texture, &s->normalMap2Texture, &s->floorTexture})
        EXPECT_TRUE(glIsTexture(image->texture));
    EXPECT_EQ(s->depthTexStep, 1.0f / 1024.0f);
    EXPECT_NE(s->shadowFramebuffer, 0u);
    EXPECT_TRUE(glIsTexture(s->shadowDepthTexture));
}

TEST(StartupTest, ResizesOfAnySizeKeepTheProgramDrawing) {
    Scene* s = startTestScene();
    runFramesWithEvents(2);  // GLUT's first reshape of the new window has arrived
    reshape(300, 0);
    EXPECT_EQ(s->windowHeight, 1);
    EXPECT_FLOAT_EQ(s->aspect, 300.0f);

    // X has no empty windows: a zero size can only arrive as GLUT's reshape callback.
    for (const auto& size : {std::make_pair(0, 0), std::make_pair(200, 0)}) {
        reshape(size.first, size.second);
        runFrames(2);
        EXPECT_EQ(s->windowHeight, 1);
        EXPECT_EQ(s->windowWidth, size.first);
    }
    for (const auto& size : {std::make_pair(1, 1), std::make_pair(800, 200)}) {
        glutReshapeWindow(size.first, size.second);
        runFramesWithEvents(3);
        // The pointer is held at the centre of the window as GLUT reports it.
        EXPECT_EQ(s->pointerCentreX, glutGet(GLUT_WINDOW_WIDTH) / 2);
        EXPECT_EQ(s->pointerCentreY, glutGet(GLUT_WINDOW_HEIGHT) / 2);
        EXPECT_GE(s->windowHeight, 1);
    }
    EXPECT_EQ(s->windowWidth, 800);
    EXPECT_EQ(s->windowHeight, 200);
}

TEST(StartupTest, FullScreenToggleReturnsToTheStartWindow) {
    Scene* s = startTestScene();
    glutReshapeWindow(320, 200);
    runFramesWithEvents(2);
    keyboard('f', 0, 0);
    runFramesWithEvents(3);
    EXPECT_TRUE(s->fullscreen);
    EXPECT_GT(s->windowWidth, 640);
    keyboard('f', 0, 0);
    runFramesWithEvents(6);
    EXPECT_FALSE(s->fullscreen);
    EXPECT_EQ(s->windowWidth, 640);
    EXPECT_EQ(s->windowHeight, 480);
    EXPECT_EQ(glutGet(GLUT_WINDOW_X), 100);
    EXPECT_EQ(glutGet(GLUT_WINDOW_Y), 100);
}

TEST(StartupTest, PointerMotionTurnsOnlyAwayFromTheCentre) {
    Scene* s = startTestScene();
    runFramesWithEvents(2);
    const Matrix3 before = s->camera.rotation;
    passiveMotion(s->pointerCentreX, s->pointerCentreY);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(s->camera.rotation.m[i / 3][i % 3], before.m[i / 3][i % 3]);
    passiveMotion(s->pointerCentreX + 30, s->pointerCentreY);
    EXPECT_NE(s->camera.rotation.m[0][0], before.m[0][0]);
}
