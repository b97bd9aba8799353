#include "furballs/FurBend.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float TOLERANCE = 1e-5f;

// Translation * rotation about y * uniform scale, as the colour pass saves it.
Matrix4 modelMatrix(Vector3 origin, float turn, float scale) {
    Matrix4 m;
    const float c = std::cos(turn), s = std::sin(turn);
    const float columns[16] = {c * scale, 0, -s * scale, 0, 0, scale, 0, 0,
                               s * scale, 0, c * scale,  0, origin.x, origin.y, origin.z, 1};
    std::copy(columns, columns + 16, m.m);
    return m;
}

// The object-space bend back in world terms: divide out the scale, then rotate.
Vector3 toWorld(const Float4& bend, const Matrix4& m, float scale) {
    Vector3 world;
    for (int row = 0; row < 3; ++row) {
        float sum = 0.0f;
        for (int column = 0; column < 3; ++column) sum += m.at(row, column) / scale * bend[column] / scale;
        (row == 0 ? world.x : row == 1 ? world.y : world.z) = sum;
    }
    return world;
}

float length3(const Float4& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

}  // namespace

TEST(FurBend, ColourBendTrailsTheMotionUpToSpeedThree) {
    const Matrix4 turned = modelMatrix({4, -2, 1}, 0.7f, 2.0f);
    const Float4 still = furGravity(btVector3(0, 0, 0), turned);
    for (float component : still) EXPECT_NEAR(component, 0.0f, TOLERANCE);

    const Matrix4 plain = Matrix4::identity();
    EXPECT_NEAR(length3(furGravity(btVector3(0, 1, 0), plain)), 0.1f, TOLERANCE);
    EXPECT_NEAR(length3(furGravity(btVector3(0, 2, 0), plain)), 0.2f, TOLERANCE);
    EXPECT_NEAR(length3(furGravity(btVector3(0, 3, 0), plain)), 0.3f, TOLERANCE);
    EXPECT_NEAR(length3(furGravity(btVector3(0, 12, 0), plain)), 0.3f, TOLERANCE);
    EXPECT_EQ(furGravity(btVector3(1, 2, 3), plain)[3], 0.0f);

    // A ball moving along +x, however it is turned, has its fur blown toward -x.
    const Vector3 world = toWorld(furGravity(btVector3(2, 0, 0), turned), turned, 2.0f);
    EXPECT_NEAR(world.x, -0.2f, TOLERANCE);
    EXPECT_NEAR(world.y, 0.0f, TOLERANCE);
    EXPECT_NEAR(world.z, 0.0f, TOLERANCE);
}

TEST(FurBend, ShadowBendFollowsTheBass) {
    const float size = 3.0f;
    const Matrix4 upright = modelMatrix({5, 2, -4}, 0.0f, size);
    const Float4 silent = depthBend(0.0f, upright);
    EXPECT_NEAR(silent[0], 0.0f, TOLERANCE);
    EXPECT_NEAR(silent[1], -size, TOLERANCE);
    EXPECT_NEAR(silent[2], 0.0f, TOLERANCE);
    const Float4 loud = depthBend(1.0f, upright);
    EXPECT_NEAR(loud[1], size, TOLERANCE);
    EXPECT_NEAR(depthBend(std::sqrt(0.5f), upright)[1], 0.0f, TOLERANCE);

    // Before the first colour pass the saved matrix is all zero: no bend at all.
    for (float component : depthBend(0.3f, Matrix4{})) EXPECT_EQ(component, 0.0f);
}
