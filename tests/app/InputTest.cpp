#include <gtest/gtest.h>

#include "app/Input.h"
#include "app/Scene.h"
#include "app/Window.h"

namespace {
Scene& freshScene() {
    scene = Scene::instance();
    return *scene;
}
}  // namespace

TEST(InputTest, MovementKeysFollowTheTableAndAnyReleaseStops) {
    Scene& s = freshScene();
    const struct { unsigned char key; int direction; } table[] = {
        {'d', 0}, {'q', 1}, {'s', 2}, {'a', 3}, {'e', 4}, {'w', 5}};
    for (const auto& row : table) {
        keyboard(row.key, 0, 0);
        EXPECT_TRUE(s.camera.moving) << row.key;
        EXPECT_EQ(s.camera.moveDirection, row.direction) << row.key;
    }

    // A second movement key while the first is held changes the direction.
    keyboard('w', 0, 0);
    keyboard('d', 0, 0);
    EXPECT_EQ(s.camera.moveDirection, 0);
    // Releasing any key, even one that does not move, stops the motion.
    keyboardUp('u', 0, 0);
    EXPECT_FALSE(s.camera.moving);

    // Upper case, digits, space and other keys do nothing at all.
    const Vector3 eye = s.camera.eye;
    for (unsigned char key : {'W', 'M', 'U', '1', ' ', 'x', '\t'}) keyboard(key, 0, 0);
    EXPECT_FALSE(s.camera.moving);
    EXPECT_FALSE(s.showSpectrum);
    EXPECT_TRUE(s.camera.free);
    EXPECT_EQ(s.camera.eye.z, eye.z);
}

TEST(InputTest, SpectrumToggleAndFollowCycleWithoutBalls) {
    Scene& s = freshScene();
    keyboard('w', 0, 0);
    keyboard('u', 0, 0);
    keyboardUp('u', 0, 0);
    EXPECT_TRUE(s.showSpectrum);
    EXPECT_FALSE(s.camera.moving);
    keyboard('u', 0, 0);
    EXPECT_FALSE(s.showSpectrum);

    // With no fur balls yet the follow cycle stays in the free view, untouched.
    s.camera.eye = {1.0f, 2.0f, 3.0f};
    keyboard('m', 0, 0);
    EXPECT_TRUE(s.camera.free);
    EXPECT_EQ(s.camera.eye.x, 1.0f);
}

TEST(InputTest, SevenFollowPressesWithSixBallsReturnToTheFreeView) {
    Scene& s = freshScene();
    s.furBalls = spawnFurBalls();
    ASSERT_EQ(s.furBalls.size(), 6u);
    s.camera.eye = {7.0f, 7.0f, 7.0f};
    for (unsigned index = 0; index < 6; ++index) {
        keyboard('m', 0, 0);
        EXPECT_FALSE(s.camera.free);
        EXPECT_EQ(s.followIndex, index);
        EXPECT_EQ(s.camera.followTarget, &s.furBalls[index]->position);
    }
    keyboard('m', 0, 0);
    EXPECT_TRUE(s.camera.free);
    EXPECT_EQ(s.camera.eye.x, 0.0f);
    EXPECT_EQ(s.camera.eye.y, 5.0f);
    EXPECT_EQ(s.camera.eye.z, -26.0f);
    keyboard('m', 0, 0);
    EXPECT_EQ(s.followIndex, 0u);
    EXPECT_FALSE(s.camera.free);
}
