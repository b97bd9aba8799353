// What the passes put on the screen where no fixed picture can say it: the fur's hair colours,
// the camera in flight and in follow, the balls' shadows, and fur standing up off the floor.
#include <algorithm>
#include <cmath>
#include <utility>

#include "tests/gl/GlTestSupport.h"

namespace {
struct ScreenPoint {
    double x = 0.0, yFromTop = 0.0;
};

// Where a world point lands in the window under the matrices the last frame left loaded.
ScreenPoint projectToWindow(float x, float y, float z) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    ScreenPoint point;
    double windowY = 0.0, depth = 0.0;
    gluProject(x, y, z, modelview, projection, viewport, &point.x, &windowY, &depth);
    point.yFromTop = viewport[3] - 1 - windowY;
    return point;
}

bool isReddish(Rgb p) { return p.r > p.g + 40 && p.r > p.b + 40; }
// Red hairs carry no green or blue: on black, equal green and blue come from grey hairs.
bool hasGreyHair(Rgb p) { return p.g > 20 && p.g == p.b; }

// Free view from `eye`, level towards +z, turned down by `pitch`.
void lookFrom(Scene& s, Vector3 eye, float pitch) {
    s.camera.setFree(true);
    s.camera.eye = eye;
    s.camera.yaw = Quaternion{};
    s.camera.pitch = Quaternion{};
    s.camera.rotateYaw(3.14159f);
    s.camera.rotatePitch(pitch);
}
}  // namespace

TEST(RenderTest, HairColoursCameraShadowsAndFloorFurReachThePicture) {
    Scene* s = startTestScene();
    runFrames(1);
    // The balls alone on black: every lit pixel is fur.
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawFurBalls();
    const Picture balls = Picture::readBack();
    EXPECT_GT(balls.count(balls.whole(), [&balls](int x, int y) { return isReddish(balls.at(x, y)); }), 500);
    EXPECT_GT(balls.count(balls.whole(), [&balls](int x, int y) { return hasGreyHair(balls.at(x, y)); }), 20);

    // Six frames of 1/60 s at 10 units a second, along the view that tilts down by 0.2.
    keyboard('w', 0, 0);
    runFrames(6);
    keyboardUp('w', 0, 0);
    EXPECT_NEAR(s->camera.eye.z, -26.0f + std::cos(0.2f), 0.01f);

    // Following a ball in the corner by the +x and -z walls: the eye stays inside the room, so
    // no pixel shows the clear colour behind it, and the ball is drawn at the centre.
    const Vector3 target = {8.0f, -8.0f, -8.0f};
    s->camera.free = false;
    s->camera.followTarget = &target;
    s->camera.lookAt = target;
    drawView();
    EXPECT_LT(std::max(s->camera.eye.x, -s->camera.eye.z), s->roomScale);
    const Picture corner = Picture::readBack();
    const auto isClearColour = [&corner](int x, int y) {
        const Rgb p = corner.at(x, y);
        return p.r == 0 && p.b == 0 && std::abs(p.g - CLEAR_COLOUR[1] * 255.0f) < 1.0f;
    };
    EXPECT_EQ(corner.count(corner.whole(), isClearColour), 0);
    const ScreenPoint followed = projectToWindow(target.x, target.y, target.z);
    EXPECT_NEAR(followed.x, 320.0, 2.0);
    EXPECT_NEAR(followed.yFromTop, 240.0, 2.0);

    // Only ball 0, lit steeply; look straight down at its shadow from below it.
    s->furBalls.resize(1);
    const Vector3 ball = s->furBalls[0]->position, light = s->light.position;
    s->light.position = {0.3f, 1.0f, 0.2f};
    const float t = (ball.y + 9.8f) / s->light.position.y;  // from the ball's centre down the light
    const Vector3 shadow = {ball.x - t * s->light.position.x, -9.8f, ball.z - t * s->light.position.z};
    lookFrom(*s, {shadow.x, ball.y - 2.0f, shadow.z}, -1.5707f);
    renderShadowMap();
    drawView();
    const Picture withBall = Picture::readBack();
    const ScreenPoint spot = projectToWindow(shadow.x, shadow.y, shadow.z);
    s->furBalls.clear();
    renderShadowMap();
    drawView();
    const Picture withoutBalls = Picture::readBack();
    s->light.position = light;
    const int x = int(spot.x), y = int(spot.yFromTop);
    ASSERT_TRUE(x > 20 && x < 620 && y > 20 && y < 460) << x << "," << y;
    EXPECT_LT(withBall.mean(x - 6, y - 6, x + 6, y + 6).brightness(),
              withoutBalls.mean(x - 6, y - 6, x + 6, y + 6).brightness() * 0.85);

    // With no balls in the way, a level view just above the floor: the hair tips stand higher
    // than the eye, so the rows just above where the floor plane meets the far wall show the
    // floor's brown fur, not the green wall.
    lookFrom(*s, {0.0f, -9.3f, -9.0f}, 0.0f);
    drawView();
    const Picture grazing = Picture::readBack();
    const ScreenPoint floorEdge = projectToWindow(0.0f, -10.0f, 10.0f);
    ASSERT_GT(floorEdge.yFromTop, 250.0);
    const int edge = int(floorEdge.yFromTop);
    const Rgb fur = grazing.mean(100, edge - 8, 540, edge - 2), wall = grazing.mean(100, 60, 540, 200);
    EXPECT_GT(fur.r, fur.g + 10);
    EXPECT_GT(wall.g, wall.r);
}

// Hair lighting against the earlier look, on the followed ball, the world paused: a highlight
// band that moves with the light, the side towards the light the brighter, and roots darker
// than the tips.
TEST(RenderTest, HairLightingHasABandThatFollowsTheLightAndDarkerRoots) {
    Scene* s = startTestScene(AUDIO_OUTPUT_MANUAL);
    s->physics->resetBodies();
    keyboard('m', 0, 0);  // follow ball 0: it fills the middle of the window
    runFrames(40);
    s->paused = true;
    // The middle of the ball, its fur seen head on.
    const ScreenPoint centre = projectToWindow(s->furBalls[0]->position.x, s->furBalls[0]->position.y,
                                               s->furBalls[0]->position.z);
    const Box ball = {int(centre.x) - 15, int(centre.yFromTop) - 15, int(centre.x) + 15, int(centre.yFromTop) + 15};
    const Box wholeBall = {ball.x0 - 30, ball.y0 - 30, ball.x1 + 30, ball.y1 + 30};
    const auto frame = [] { runFrames(1); return Picture::readBack(); };
    const auto meanBrightness = [&frame](Box box) { return frame().mean(box.x0, box.y0, box.x1, box.y1).brightness(); };
    // Where the brightest tenth of the ball's pixels lie, across the window, the light from above
    // and the window's right (side 1) or left (side -1): along the camera's x axis in the world.
    const auto bandCentre = [&wholeBall, &frame, s](float side) {
        const float* cameraX = s->camera.inverseViewMatrix.m;
        s->light.position = {0.8f * side * cameraX[0], 0.6f + 0.8f * side * cameraX[1], 0.8f * side * cameraX[2]};
        const Picture picture = frame();
        std::vector<std::pair<int, int>> pixels;
        for (int y = wholeBall.y0; y < wholeBall.y1; ++y)
            for (int x = wholeBall.x0; x < wholeBall.x1; ++x) pixels.emplace_back(picture.at(x, y).brightness(), x);
        std::sort(pixels.rbegin(), pixels.rend());
        double sum = 0.0;
        for (size_t i = 0; i < pixels.size() / 10; ++i) sum += pixels[i].second;
        return sum / double(pixels.size() / 10);
    };
    const double rightLitBand = bandCentre(1.0f);
    EXPECT_GT(std::abs(rightLitBand - bandCentre(-1.0f)), 2.0);
    // Lit from the left, the ball reads as a sphere: its left half is the brighter.
    EXPECT_GT(meanBrightness({wholeBall.x0, wholeBall.y0, int(centre.x), wholeBall.y1}),
              meanBrightness({int(centre.x), wholeBall.y0, wholeBall.x1, wholeBall.y1}) * 11 / 10);

    // Hairs bent hard towards the light (the ball racing away from it) leave the far half in the
    // sphere's shade: the skin's light follows the surface under the hairs, not the hairs.
    const Box farHalf = {int(centre.x), wholeBall.y0, wholeBall.x1, wholeBall.y1};
    const int straightFarHalf = meanBrightness(farHalf);
    const float* cameraX = s->camera.inverseViewMatrix.m;
    const btVector3 velocity = std::exchange(s->furBalls[0]->smoothedVelocity,
                                             btVector3(cameraX[0], cameraX[1], cameraX[2]) * MAX_BEND_SPEED);
    s->settings.motionBend = 3.0f;
    EXPECT_LT(meanBrightness(farHalf), straightFarHalf * 11 / 10);  // 96 %; lit by the hairs, 141 %
    s->settings.motionBend = AS_DESIGNED;
    s->furBalls[0]->smoothedVelocity = velocity;

    // The innermost shell alone is darker in the hair look; the outermost alone is not. The light
    // falls at 45 degrees to the hairs that face the camera, where the hair look's diffuse share
    // is a little the larger, so the difference is the shading towards the roots (diluted by the
    // room showing through the one sparse shell).
    const auto unit = [](Vector3 v) { return v * (1.0f / length(v)); };
    s->light.position = unit(unit(s->camera.eye - s->furBalls[0]->position) + Vector3{0.0f, 1.0f, 0.0f});
    s->settings.shellsDrawn = 1;
    const int innermostHair = meanBrightness(ball);
    s->settings.hairLighting = false;
    EXPECT_LT(innermostHair, meanBrightness(ball) * 24 / 25);
    // The outermost shell alone: every shell below it made empty, so only it shows.
    ShellList outermost;
    for (int index = 0; index < FUR_SHELL_COUNT - 1; ++index)
        makeShellTexture(*outermost.emplace_back(std::make_unique<ShellTexture>()), 0.0f);
    outermost.push_back(std::move(s->furShells.back()));
    std::swap(outermost, s->furShells);
    s->settings.shellsDrawn = FUR_SHELL_COUNT;
    const int outermostEarlier = meanBrightness(ball);
    s->settings.hairLighting = true;
    EXPECT_GE(meanBrightness(ball), outermostEarlier * 95 / 100);  // the highlights differ a little
    std::swap(outermost, s->furShells);
    s->furShells.back() = std::move(outermost.back());
}
