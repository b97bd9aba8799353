// What a viewer sees: the room, the fur balls, their shadows and the overlay.
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "render/Overlay.h"
#include "render/Room.h"
#include "tests/gl/GlTestSupport.h"

namespace {

// Spread of brightness over a rectangle: a flat fill gives 0.
double brightnessSpread(const Picture& picture, int x0, int y0, int x1, int y1) {
    double sum = 0.0, sumSquares = 0.0;
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const double b = picture.at(x, y).brightness();
            sum += b;
            sumSquares += b * b;
            ++count;
        }
    const double mean = sum / count;
    return std::sqrt(sumSquares / count - mean * mean);
}

int countPixels(const Picture& picture, int cx, int cy, int radius, bool (*matches)(Rgb)) {
    int count = 0;
    for (int y = std::max(0, cy - radius); y < std::min(picture.height, cy + radius); ++y)
        for (int x = std::max(0, cx - radius); x < std::min(picture.width, cx + radius); ++x)
            if (matches(picture.at(x, y))) ++count;
    return count;
}

bool isReddish(Rgb p) { return p.r > p.g + 40 && p.r > p.b + 40; }
// Red hairs carry no green or blue: on black, equal green and blue come from grey hairs.
bool hasGreyHair(Rgb p) { return p.g > 20 && p.g == p.b; }
bool isWhite(Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; }
bool isLineRed(Rgb p) { return p.r > 200 && p.g < 40 && p.b < 40; }
bool isLineGreen(Rgb p) { return p.g > 200 && p.r < 40 && p.b < 40; }

// True once every ball has been seen on the floor without vertical motion (they may roll).
bool ballsLand(Scene& s, int maxFrames) {
    std::vector<bool> landed(s.furBalls.size(), false);
    for (int frame = 0; frame < maxFrames; ++frame) {
        runFrames(1);
        bool all = true;
        for (size_t i = 0; i < s.furBalls.size(); ++i) {
            const FurBall& ball = *s.furBalls[i];
            const float floorHeight = -9.9f + 0.5f * ball.size.y;
            if (std::fabs(ball.position.y - floorHeight) < 0.1f &&
                std::fabs(ball.body->getLinearVelocity().y()) < 0.2f)
                landed[i] = true;
            all = all && landed[i];
        }
        if (all) return true;
    }
    return false;
}

}  // namespace

TEST(RenderTest, StartViewShowsAPatternedLitRoomAndAFurryFloor) {
    startTestScene();
    runFrames(2);
    const Picture picture = Picture::readBack();
    ASSERT_EQ(picture.width, 640);
    // Walls and ceiling carry a lit pattern; the floor's fur varies from texel to texel.
    EXPECT_GT(brightnessSpread(picture, 100, 40, 540, 140), 8.0);
    EXPECT_GT(brightnessSpread(picture, 100, 400, 540, 470), 8.0);
    // Opposite walls face the directional light differently.
    const int left = picture.mean(5, 150, 60, 300).brightness();
    const int right = picture.mean(580, 150, 635, 300).brightness();
    EXPECT_NE(left, right);
}

TEST(RenderTest, RoomPassRestoresTheStateItPromises) {
    Scene* s = startTestScene();
    runFrames(1);
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
}

TEST(RenderTest, FurRisesAboveTheFloorAtAGrazingView) {
    Scene* s = startTestScene();
    s->furBalls.clear();  // an unobstructed view of the floor
    s->camera.setFree(true);
    s->camera.eye = {0.0f, -9.3f, -9.0f};
    s->camera.yaw = Quaternion{};
    s->camera.pitch = Quaternion{};
    s->camera.rotateYaw(3.14159f);  // level, towards +z
    runFrames(2);
    const Picture picture = Picture::readBack();
    // The bare floor plane meets the far wall just below the middle row. The hair tips stand
    // higher than the eye, so the rows just above that line show dark fur, not the bright wall.
    const ScreenPoint floorEdge = projectToWindow(0.0f, -10.0f, 10.0f);
    ASSERT_GT(floorEdge.yFromTop, 250.0);
    const int edge = int(floorEdge.yFromTop);
    const int fur = picture.mean(100, edge - 8, 540, edge - 2).brightness();
    const int wall = picture.mean(100, 60, 540, 200).brightness();
    EXPECT_LT(fur, wall / 2) << "fur " << fur << " wall " << wall;
}

TEST(RenderTest, FlyingForwardBringsTheFarWallCloser) {
    Scene* s = startTestScene();
    runFrames(1);
    const auto farWallWidth = [] {
        return projectToWindow(10.0f, 0.0f, 10.0f).x - projectToWindow(-10.0f, 0.0f, 10.0f).x;
    };
    const double widthBefore = std::fabs(farWallWidth());
    const Picture before = Picture::readBack();
    keyboard('w', 0, 0);
    runFrames(60);
    keyboardUp('w', 0, 0);
    // Sixty frames of 1/60 s at 10 units a second, along the view that tilts down by 0.2.
    EXPECT_NEAR(s->camera.eye.z, -26.0f + 10.0f * std::cos(0.2f), 0.01f);
    EXPECT_NEAR(s->camera.eye.y, 5.0f - 10.0f * std::sin(0.2f), 0.01f);
    EXPECT_GT(std::fabs(farWallWidth()), widthBefore * 1.3);
    const Picture after = Picture::readBack();
    EXPECT_GT(std::abs(after.mean(0, 0, 640, 480).brightness() - before.mean(0, 0, 640, 480).brightness()) +
                  std::abs(after.mean(0, 0, 320, 240).brightness() - before.mean(0, 0, 320, 240).brightness()),
              3);
}

TEST(RenderTest, FurBallsShowRedAndGreyHairsFallAndCanBeFollowed) {
    Scene* s = startTestScene();
    runFrames(1);
    // The balls alone on black: every lit pixel is fur.
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawFurBalls();
    const Picture balls = Picture::readBack();
    int red = 0, grey = 0;
    for (const auto& ball : s->furBalls) {
        const ScreenPoint centre = projectToWindow(ball->position.x, ball->position.y, ball->position.z);
        red += countPixels(balls, int(centre.x), int(centre.yFromTop), 12, isReddish);
        grey += countPixels(balls, int(centre.x), int(centre.yFromTop), 12, hasGreyHair);
    }
    EXPECT_GT(red, 500);
    EXPECT_GT(grey, 20);

    EXPECT_TRUE(ballsLand(*s, 180));

    // Ball 5 lies still on the floor until its first leap, about five seconds in.
    for (int press = 0; press < 6; ++press) keyboard('m', 0, 0);
    ASSERT_EQ(s->followIndex, 5u);
    runFrames(50);
    const Vector3 p = s->furBalls[5]->position;
    const ScreenPoint followed = projectToWindow(p.x, p.y, p.z);
    EXPECT_NEAR(followed.x, 320.0, 20.0);
    EXPECT_NEAR(followed.yFromTop, 240.0, 20.0);
}

TEST(RenderTest, ShadowPassRestoresTheWindowAndBallsDarkenTheFloor) {
    Scene* s = startTestScene();
    ASSERT_TRUE(ballsLand(*s, 180));

    renderShadowMap();
    GLint viewport[4], cullFace = 0, drawBuffer = 0, framebuffer = -1;
    GLboolean colourMask[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    glGetBooleanv(GL_COLOR_WRITEMASK, colourMask);
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &framebuffer);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    EXPECT_EQ(cullFace, GL_BACK);
    EXPECT_TRUE(colourMask[0] && colourMask[1] && colourMask[2] && colourMask[3]);
    EXPECT_EQ(drawBuffer, GL_BACK);
    EXPECT_EQ(framebuffer, 0);
    // The light's own projection and view stay loaded until the camera replaces them.
    Matrix4 projection, view;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    glGetFloatv(GL_MODELVIEW_MATRIX, view.m);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(projection.m[i], lightProjectionMatrix().m[i], 1e-6f);
        EXPECT_NEAR(view.m[i], lightViewMatrix(s->light.position).m[i], 1e-5f);
    }

    // Look straight down from above the ball so its shadow falls in view.
    s->camera.setFree(true);
    const Vector3 ball = s->furBalls[0]->position;
    s->camera.eye = {ball.x, 8.0f, ball.z};
    s->camera.yaw = Quaternion{};
    s->camera.pitch = Quaternion{};
    s->camera.rotatePitch(-1.5707f);
    // A light low enough that the shadow falls clear of the ball seen from above.
    s->light.position = {2.0f, 1.0f, 0.0f};
    drawView();
    const Vector3 light = s->light.position;
    const float t = (ball.y + 9.8f) / light.y;  // from the ball's centre down the light to the floor
    const ScreenPoint shadow = projectToWindow(ball.x - t * light.x, -9.8f, ball.z - t * light.z);

    renderShadowMap();
    drawView();
    const Picture withBalls = Picture::readBack();

    std::vector<std::unique_ptr<FurBall>> balls;
    balls.swap(s->furBalls);
    renderShadowMap();
    std::vector<float> depth(1024 * 1024);
    glBindTexture(GL_TEXTURE_2D, s->shadowDepthTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    for (float d : depth) ASSERT_EQ(d, 1.0f);  // with no balls nothing is in shadow
    balls.swap(s->furBalls);
    drawView();
    const Picture withoutBalls = Picture::readBack();

    // Compare the floor around the shadow's centre, clear of the ball itself.
    const int x = int(shadow.x), y = int(shadow.yFromTop);
    ASSERT_TRUE(x > 20 && x < 620 && y > 20 && y < 460) << x << "," << y;
    const int shaded = withBalls.mean(x - 6, y - 6, x + 6, y + 6).brightness();
    const int lit = withoutBalls.mean(x - 6, y - 6, x + 6, y + 6).brightness();
    EXPECT_LT(shaded, lit * 0.85) << "shadow at " << x << "," << y;
}

TEST(RenderTest, OverlayTextAndSpectrumLineSitWhereTheyShould) {
    Scene* s = startTestScene();
    runFrames(2);
    const Picture start = Picture::readBack();
    EXPECT_GT(countPixels(start, 25, 15, 10, isWhite), 5);  // "fps: ..." 10 px in, baseline 20
    EXPECT_EQ(countPixels(start, 25, 45, 10, isWhite), 0);

    glutReshapeWindow(400, 300);
    runFramesWithEvents(3);
    const Picture resized = Picture::readBack();
    ASSERT_EQ(resized.height, 300);
    EXPECT_GT(countPixels(resized, 25, 15, 10, isWhite), 5);

    glutReshapeWindow(640, 480);
    runFramesWithEvents(2);
    ASSERT_EQ(s->windowHeight, 480);
    std::vector<float> spectrum(SPECTRUM_LENGTH, 0.0f);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSpectrumLine(spectrum.data(), s->windowWidth, s->windowHeight);
    spectrum.assign(SPECTRUM_LENGTH, 0.25f);
    drawSpectrumLine(spectrum.data(), s->windowWidth, s->windowHeight);
    const Picture lines = Picture::readBack();
    const int zeroRow = 480 - 20;
    const auto lineAt = [&](int x, int row, bool (*matches)(Rgb)) {
        return matches(lines.at(x, row - 1)) || matches(lines.at(x, row)) || matches(lines.at(x, row + 1));
    };
    for (int x = 21; x <= 530; x += 17) {
        EXPECT_TRUE(lineAt(x, zeroRow, isLineRed)) << x;
        EXPECT_TRUE(lineAt(x, zeroRow - 125, isLineGreen)) << x;
    }
    EXPECT_FALSE(lineAt(10, zeroRow, isLineRed));
    EXPECT_FALSE(lineAt(545, zeroRow, isLineRed));
}
