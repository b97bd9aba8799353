#include <gtest/gtest.h>

#include "camera/Camera.h"

namespace {
void expectNear(Vector3 actual, Vector3 expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

Vector3 forward(const Camera& camera) { return camera.rotation.column(2) * -1.0f; }
}  // namespace

TEST(QuaternionTest, ProductAndMatrixFollowTheRightHandRule) {
    const float half = 0.5f * 1.5707964f;
    const Quaternion quarterTurnY{std::cos(half), 0.0f, std::sin(half), 0.0f};
    const Quaternion quarterTurnX{std::cos(half), std::sin(half), 0.0f, 0.0f};

    // Two quarter turns make a half turn: w = 0, axis y.
    const Quaternion halfTurn = quarterTurnY * quarterTurnY;
    EXPECT_NEAR(halfTurn.w, 0.0f, 1e-6f);
    EXPECT_NEAR(halfTurn.y, 1.0f, 1e-6f);

    // A quarter turn about +y carries +x to -z.
    const Matrix3 m = toMatrix3(quarterTurnY);
    expectNear(m.column(0), {0.0f, 0.0f, -1.0f});

    // The product is not commutative: y then x differs from x then y.
    const Quaternion xy = quarterTurnX * quarterTurnY;
    const Quaternion yx = quarterTurnY * quarterTurnX;
    EXPECT_GT(std::fabs(xy.z - yx.z), 0.5f);
}

TEST(CameraTest, StartViewLooksTowardsPlusZAndSlightlyDown) {
    Camera camera;
    expectNear(camera.eye, {0.0f, 5.0f, -26.0f});
    const Vector3 view = forward(camera);
    EXPECT_GT(view.z, 0.97f);
    EXPECT_LT(view.y, -0.15f);
    EXPECT_NEAR(view.x, 0.0f, 1e-4f);
    EXPECT_GT(camera.rotation.column(1).y, 0.95f);  // up stays up
    EXPECT_NEAR(camera.yaw.w, std::cos(1.570795f), 1e-6f);
    EXPECT_NEAR(camera.pitch.x, -std::sin(0.1f), 1e-6f);

    // Leaving and re-entering the free view restores exactly this state.
    camera.rotateYaw(0.7f);
    camera.eye = {3.0f, 3.0f, 3.0f};
    camera.setFree(true);
    const Camera fresh;
    expectNear(camera.eye, fresh.eye, 0.0f);
    expectNear(forward(camera), forward(fresh), 0.0f);
}

TEST(CameraTest, MouseLookScalesWithFrameTimeAndNeedsAPositiveOne) {
    Camera still;
    still.mouseLook(40, 25, 0.0);
    expectNear(forward(still), forward(Camera{}), 0.0f);
    EXPECT_FALSE(still.matricesValid);  // from construction, untouched

    // The same offset turns twice as far at half the frame rate.
    Camera fast, slow;
    fast.mouseLook(10, 0, 0.01);
    slow.mouseLook(10, 0, 0.02);
    const float fastTurn = std::atan2(forward(fast).x, forward(fast).z);
    const float slowTurn = std::atan2(forward(slow).x, forward(slow).z);
    EXPECT_NEAR(slowTurn, 2.0f * fastTurn, 1e-4f);
    // Moving the pointer right turns the view right: from facing +z, right is -x.
    EXPECT_LT(forward(fast).x, 0.0f);

    // Moving the pointer down tilts the view down, without limit: it turns over.
    Camera tilting;
    for (int i = 0; i < 200; ++i) tilting.mouseLook(0, 20, 0.02);
    EXPECT_LT(tilting.rotation.column(1).y, 0.0f);
}

TEST(CameraTest, FlyingMovesAlongTheCameraAxesByFrameTime) {
    Camera camera;
    camera.moving = true;
    camera.moveDirection = 5;  // forward
    const Vector3 start = camera.eye;
    const Vector3 view = forward(camera);
    camera.update(0.5);
    expectNear(camera.eye, start + view * 5.0f, 1e-4f);

    camera.moveDirection = 0;  // right
    const Vector3 before = camera.eye;
    camera.update(0.1);
    expectNear(camera.eye, before + camera.rotation.column(0), 1e-4f);

    camera.moving = false;
    const Vector3 stopped = camera.eye;
    camera.update(1.0);
    expectNear(camera.eye, stopped, 0.0f);
}

TEST(CameraTest, FollowViewSettlesBehindAndAboveTheBall) {
    Camera camera;
    const Vector3 ball = {3.0f, -8.0f, 2.0f};
    camera.free = false;
    camera.followTarget = &ball;
    camera.update(0.02);
    // The look-at point moves a tenth of the way per frame, whatever the frame time.
    expectNear(camera.lookAt, ball * 0.1f, 1e-5f);
    for (int i = 0; i < 400; ++i) camera.update(0.02);
    expectNear(camera.lookAt, ball, 1e-3f);
    expectNear(camera.eye, {ball.x + 6.0f, ball.y / 2.0f, ball.z - 6.0f}, 1e-3f);
    // Movement keys have no effect while following.
    camera.moving = true;
    camera.update(1.0);
    expectNear(camera.eye, {ball.x + 6.0f, ball.y / 2.0f, ball.z - 6.0f}, 1e-3f);
}
