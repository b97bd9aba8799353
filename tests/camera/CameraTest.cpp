// Matrices, the B-spline the light travels on, the light itself and the camera.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "camera/Camera.h"
#include "camera/Curves.h"
#include "camera/Light.h"
#include "render/Room.h"

namespace {
void expectNear(Vector3 expected, Vector3 actual, float tolerance) {
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}
Vector3 mapped(const Matrix4& m, Vector3 p) {
    float out[4];
    transformPoint(m, p, out);
    EXPECT_NEAR(out[3], 1.0f, 1e-6f);
    return {out[0], out[1], out[2]};
}
Vector3 forward(const Camera& camera) { return camera.rotation.column(2) * -1.0f; }

const Vector3 SQUARE[4] = {{-1, -1, -1}, {1, 0, -1}, {1, 1, 1}, {-1, 0, 1}};
// A closed periodic cubic over four points, the uniform B-spline's basis on segment k weighting
// P(k) .. P(k+3).
Vector3 closedReference(const Vector3 p[4], double t) {
    const double along = 4 * (t - std::floor(t));
    const int segment = std::min(int(along), 3);
    const double u = along - segment;
    const double weights[4] = {std::pow(1 - u, 3), 3 * u * u * u - 6 * u * u + 4, -3 * u * u * u + 3 * u * u + 3 * u + 1, u * u * u};
    Vector3 sum{};
    for (int k = 0; k < 4; ++k) sum += p[(segment + k) % 4] * float(weights[k] / 6);
    return sum;
}
}  // namespace

// The product's order and the quaternions show in the light's matrix and the camera's views below.
TEST(MathTypes, InversesBothWaysAndSingularIsAllZero) {
    Matrix4 rigid{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}};
    const Matrix3 turn = toMatrix3({std::cos(0.6f), 0.48f * std::sin(0.6f), 0.6f * std::sin(0.6f), 0.64f * std::sin(0.6f)});
    for (int i = 0; i < 9; ++i) rigid.m[4 * (i % 3) + i / 3] = turn.m[i / 3][i % 3];
    for (const Matrix4& product : {multiplyMatrix4(inverse(rigid), rigid), multiplyMatrix4(rigid, inverse(rigid))})
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(product.m[i], Matrix4::identity().m[i], 1e-5f) << i;
    const Matrix4 flat{{2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}};
    for (float value : inverse(flat).m) EXPECT_EQ(value, 0.0f);
}

// The light's path is a closed periodic cubic: the uniform B-spline's matrix form segment by
// segment, wrapping outside [0, 1]. Each derivative is the difference quotient of the level
// below; arc lengths integrate the speed and invert; moved control points keep the curve closed,
// others are refused. Open curves, which the light does not use, end on their end points.
TEST(Curves, ClosedCurveItsDerivativesLengthsAndMovedPointsThenOpenEnds) {
    curves::BSplineCurve3<float> curve(4, SQUARE, 3, true, false);
    for (int step = -20; step <= 60; ++step)
        expectNear(closedReference(SQUARE, step / 40.0), curve.PositionAt(step / 40.0f), 1e-5f);

    const float h = 1e-3f, tolerance[3] = {1e-2f, 5e-2f, 2e-1f};
    for (float t : {0.1f, 0.6f}) {  // inside knot intervals: the third derivative jumps at knots
        Vector3 at[3][4];           // at t - h, t and t + h: the position and three derivatives
        for (int k = 0; k < 3; ++k) curve.Evaluate(t + float(k - 1) * h, &at[k][0], &at[k][1], &at[k][2], &at[k][3]);
        const Vector3 alone[4] = {curve.PositionAt(t), curve.FirstDerivativeAt(t), curve.SecondDerivativeAt(t),
                                  curve.ThirdDerivativeAt(t)};
        for (int d = 0; d < 4; ++d) expectNear(alone[d], at[1][d], 1e-5f);
        for (int d = 1; d < 4; ++d) expectNear((at[2][d - 1] - at[0][d - 1]) * (0.5f / h), at[1][d], tolerance[d - 1]);
    }
    // Boole's rule (order 3) is exact for x^5; the length is the fine polyline's; three Newton
    // steps find the parameter at a length.
    const auto fifthPower = [](float x, void*) { return x * x * x * x * x; };
    EXPECT_NEAR(curves::IntegrateRomberg<float>(3, 0.0f, 2.0f, fifthPower, nullptr), 64.0f / 6, 1e-4f);
    double polyline = 0;
    for (int i = 0; i < 20000; ++i)
        polyline += length(closedReference(SQUARE, (i + 1) / 20000.0) - closedReference(SQUARE, i / 20000.0));
    const float total = curve.TotalLength();
    EXPECT_NEAR(total, polyline, 1e-3 * polyline);
    for (float part : {0.0f, 0.3f, 0.85f, 1.0f, 2.0f})
        EXPECT_NEAR(curve.LengthBetween(0.0f, curve.TimeAtLength(part * total, 3, 1e-5f)), std::min(part, 1.0f) * total, 1e-4f);

    const Vector3 moved[4] = {{-3, 2, 0}, SQUARE[1], {0.5f, 4, -2}, SQUARE[3]};
    curve.ReplaceControlPoint(0, moved[0]);
    curve.ReplaceControlPoint(2, moved[2]);
    curve.ReplaceControlPoint(4, {9, 9, 9});
    curve.ReplaceControlPoint(-1, {9, 9, 9});
    for (int i = 0; i < 4; ++i) expectNear(moved[i], curve.ControlPointAt(i), 0.0f);
    for (float t : {0.0f, 0.3f, 0.95f, 1.0f}) expectNear(closedReference(moved, t), curve.PositionAt(t), 1e-5f);

    const Vector3 points[5] = {{0, 0, 0}, {1, 2, 0}, {2, -1, 1}, {3, 0, 2}, {4, 1, 0}};
    curves::BSplineCurve3<float> open(5, points, 3, false, true), loop(5, points, 3, true, true);
    for (float t : {-0.5f, 0.0f, 1.0f, 2.0f}) expectNear(points[t < 0.5f ? 0 : 4], open.PositionAt(t), 1e-6f);
    expectNear(points[0], loop.PositionAt(1.0f), 1e-6f);  // closed but not periodic: back at its start
}

TEST(Light, MovesAlongItsDriftingPathAndMapsTheWorldIntoTheShadowMap) {
    Light light;
    EXPECT_FLOAT_EQ(light.position.y, 1.0f);
    Vector3 start[4];
    for (int i = 0; i < 4; ++i) start[i] = light.path->ControlPointAt(i);
    light.update(1.0 / 60);
    // Path time 0.02 a second; the position comes from the path before it reshapes.
    EXPECT_EQ(light.pathTime, float(0.02 / 60));
    expectNear(curves::BSplineCurve3<float>(4, start, 3, true, false).PositionAt(light.pathTime), light.position, 0.0f);
    for (int i = 0; i < 4; ++i)  // every point drifts inwards at 0.1 a second, along x only
        expectNear({std::copysign(std::fabs(start[i].x) - 0.1f / 60, start[i].x), start[i].y, start[i].z},
                   light.path->ControlPointAt(i), 1e-6f);

    // A point turns only once past 1, and turns back again if a short frame leaves it past.
    Vector3 point = light.path->ControlPointAt(0);
    point.x = 0.95f;
    light.path->ReplaceControlPoint(0, point);
    for (const auto& [seconds, drift] : {std::pair{0.4, +1}, {0.4, -1}, {0.1, +1}, {0.4, -1}}) {
        light.update(seconds);
        EXPECT_EQ(light.drift[0], drift) << light.path->ControlPointAt(0).x;
    }
    EXPECT_NEAR(light.path->ControlPointAt(0).x, 1.06f, 1e-5f);

    // From straight above: x and z span the map, depth runs from 10 above to 20 below.
    for (Vector3 p : {Vector3{0, 0, 0}, Vector3{3, -2, 5}, Vector3{-7, 9, -1}})
        expectNear({0.5f + p.x / 20, 0.5f - p.z / 20, (10 - p.y) / 30}, mapped(lightMatrixFor({0, 1, 0}), p), 1e-5f);
    const Vector3 slanted = Vector3{0.3f, 0.8f, -0.5f} * (1.0f / length({0.3f, 0.8f, -0.5f}));
    const Matrix4 m = lightMatrixFor(slanted);
    EXPECT_NEAR(mapped(m, slanted * 10).z, 0.0f, 1e-5f);
    EXPECT_NEAR(mapped(m, slanted * -20).z, 1.0f, 1e-5f);
    const Vector3 side = mapped(m, cross(slanted, {0, 0, 1}) * (4.0f / length(cross(slanted, {0, 0, 1}))));
    EXPECT_NEAR(std::hypot(side.x - 0.5f, side.y - 0.5f), 0.2f, 1e-5f);  // sideways lengths kept
}

TEST(Camera, StartsLookingDownTheRoomFliesByFrameTimeAndFollowsFromBehind) {
    Camera camera;
    expectNear({0, 5, -26}, camera.eye, 0.0f);
    expectNear({0, -std::sin(0.2f), std::cos(0.2f)}, forward(camera), 1e-4f);  // towards +z, tilted down by 0.2

    // The pointer turns it in proportion to the frame time; right turns right; none at time 0.
    Camera still, fast, slow;
    still.matricesValid = true;
    still.mouseLook(40, 25, 0.0);
    EXPECT_TRUE(still.matricesValid);  // not even a turn by zero
    expectNear(forward(Camera{}), forward(still), 0.0f);
    fast.mouseLook(10, 0, 0.01);
    slow.mouseLook(10, 0, 0.02);
    EXPECT_NEAR(std::atan2(forward(slow).x, forward(slow).z), 2 * std::atan2(forward(fast).x, forward(fast).z), 1e-4f);
    EXPECT_LT(forward(fast).x, 0.0f);
    for (int i = 0; i < 200; ++i) still.mouseLook(0, 20, 0.02);
    EXPECT_LT(still.rotation.column(1).y, 0.0f);  // pitch has no limit: it turns over

    // 10 units a second along the camera's axes: 0 to 2 along +x, +y, +z, 3 to 5 the opposite
    // (5 is forward); nothing once stopped.
    camera.moving = true;
    for (int direction = 0; direction < 6; ++direction) {
        camera.moveDirection = direction;
        const Vector3 before = camera.eye;
        camera.update(0.1, ROOM_SIZE);
        expectNear(before + camera.rotation.column(direction % 3) * (direction < 3 ? 1.0f : -1.0f), camera.eye, 1e-4f);
    }
    camera.moving = false;
    const Vector3 stopped = camera.eye;
    camera.update(1.0, ROOM_SIZE);
    expectNear(stopped, camera.eye, 0.0f);
    // Free again: the start view, exactly.
    camera.rotateYaw(0.7f);
    camera.setFree(true);
    expectNear(Camera{}.eye, camera.eye, 0.0f);
    expectNear(forward(Camera{}), forward(camera), 0.0f);

    // Follow: the look-at point glides a tenth of the way a frame; the eye stays 6 behind and
    // beside it at half its height; flight keys do nothing.
    const Vector3 ball = {3.0f, -8.0f, 2.0f};
    camera.free = false;
    camera.followTarget = &ball;
    camera.update(0.02, ROOM_SIZE);
    expectNear(ball * 0.1f, camera.lookAt, 1e-5f);
    camera.moving = true;
    for (int i = 0; i < 400; ++i) camera.update(0.02, ROOM_SIZE);
    expectNear({ball.x + 6.0f, ball.y / 2.0f, ball.z - 6.0f}, camera.eye, 1e-3f);
    // A ball in the corner by the +x and -z walls: the eye stays half a unit inside both.
    camera.lookAt = {8.0f, 9.0f, -8.5f};
    camera.followTarget = &camera.lookAt;
    camera.update(0.02, ROOM_SIZE);
    expectNear({9.5f, 4.5f, -9.5f}, camera.eye, 0.0f);
}
