#include "camera/Light.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double FRAME = 1.0 / 60.0;

void setControlPointX(Light& light, int i, float x) {
    Vector3 point = light.path->ControlPointAt(i);
    point.x = x;
    light.path->ReplaceControlPoint(i, point);
}

void expectMapsTo(const Matrix4& m, Vector3 world, float s, float t, float r) {
    float out[4];
    transformPoint(m, world, out);
    EXPECT_NEAR(s, out[0], 1e-5f);
    EXPECT_NEAR(t, out[1], 1e-5f);
    EXPECT_NEAR(r, out[2], 1e-5f);
    EXPECT_NEAR(1.0f, out[3], 1e-6f);
}

}  // namespace

TEST(Light, FirstUpdateMovesAlongTheUnchangedPathAndDriftsInwards) {
    Light light;
    EXPECT_FLOAT_EQ(1.0f, light.position.y);
    Vector3 start[4];
    for (int i = 0; i < 4; ++i) start[i] = light.path->ControlPointAt(i);
    curves::BSplineCurve3<float> unchanged(4, start, 3, true, false);

    light.update(FRAME);
    EXPECT_EQ(float(0.02 * FRAME), light.pathTime);
    const Vector3 expected = unchanged.PositionAt(light.pathTime);
    EXPECT_EQ(expected.x, light.position.x);
    EXPECT_EQ(expected.y, light.position.y);
    EXPECT_EQ(expected.z, light.position.z);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(std::fabs(start[i].x) - 0.1 * FRAME, std::fabs(light.path->ControlPointAt(i).x),
                    1e-6);
        EXPECT_EQ(start[i].y, light.path->ControlPointAt(i).y);
    }
    EXPECT_EQ((std::vector<int>{+1, -1, -1, +1}), light.drift);
}

TEST(Light, DriftTurnsOnlyPastTheLimitAndMayTurnTwice) {
    Light light;
    setControlPointX(light, 0, 0.95f);
    light.update(0.4);  // x 0.99: still inside
    EXPECT_EQ(+1, light.drift[0]);
    light.update(0.4);  // x 1.03: past the limit, turns back
    EXPECT_EQ(-1, light.drift[0]);
    light.update(0.1);  // a shorter frame: x 1.02 is still past, so it turns outwards again
    EXPECT_EQ(+1, light.drift[0]);
    EXPECT_NEAR(1.02f, light.path->ControlPointAt(0).x, 1e-5f);
    light.update(0.4);
    EXPECT_EQ(-1, light.drift[0]);
    EXPECT_NEAR(1.06f, light.path->ControlPointAt(0).x, 1e-5f);
}

TEST(Light, PathTimeBeyondOneWrapsAround) {
    Light light;
    light.pathTime = 1.25f;
    light.update(0.0);
    const Vector3 wrapped = light.path->PositionAt(0.25f);
    EXPECT_NEAR(wrapped.x, light.position.x, 1e-6f);
    EXPECT_NEAR(wrapped.y, light.position.y, 1e-6f);
    EXPECT_NEAR(wrapped.z, light.position.z, 1e-6f);
}

TEST(Light, LongRunKeepsAwayFromTheXAxis) {
    Light light;
    float closest = 1e9f;
    const int frames = 30 * 60 * 60;
    for (int frame = 0; frame < frames; ++frame) {
        light.update(FRAME);
        const Vector3 p = light.position;
        closest = std::min(closest, p.y * p.y + p.z * p.z);
        ASSERT_TRUE(std::isfinite(p.x));
    }
    EXPECT_GT(closest, 0.1f);
    EXPECT_NEAR(0.02 * frames * FRAME, light.pathTime, 0.05);
    for (int i = 0; i < 4; ++i)
        EXPECT_LE(std::fabs(light.path->ControlPointAt(i).x), 1.0f + 0.1f * FRAME);
}

TEST(Light, LightMatrixMapsWorldToShadowMap) {
    const Matrix4 overhead = lightMatrixFor({0, 1, 0});
    for (Vector3 p : {Vector3{0, 0, 0}, Vector3{3, -2, 5}, Vector3{-7, 9, -1}})
        expectMapsTo(overhead, p, 0.5f + p.x / 20, 0.5f - p.z / 20, (10 - p.y) / 30);

    // Any unit direction: the origin sits at the centre a third deep, the eye at depth 0 and
    // the far plane 20 beyond the origin; sideways offsets keep their length.
    const Vector3 slanted = Vector3{0.3f, 0.8f, -0.5f} * (1.0f / length({0.3f, 0.8f, -0.5f}));
    const Matrix4 m = lightMatrixFor(slanted);
    expectMapsTo(m, {0, 0, 0}, 0.5f, 0.5f, 1.0f / 3);
    float eye[4], far[4], side[4];
    transformPoint(m, slanted * 10, eye);
    transformPoint(m, slanted * -20, far);
    EXPECT_NEAR(0.0f, eye[2], 1e-5f);
    EXPECT_NEAR(1.0f, far[2], 1e-5f);
    const Vector3 across = cross(slanted, {0, 0, 1}) * (4.0f / length(cross(slanted, {0, 0, 1})));
    transformPoint(m, across, side);
    EXPECT_NEAR(1.0f / 3, side[2], 1e-5f);
    EXPECT_NEAR(4.0f / 20, std::hypot(side[0] - 0.5f, side[1] - 0.5f), 1e-5f);
}
