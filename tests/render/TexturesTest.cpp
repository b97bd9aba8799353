// The room's faces and the generated fur shells.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "render/Room.h"
#include "render/Textures.h"

namespace {
constexpr int TEXELS = SHELL_TEXTURE_SIZE * SHELL_TEXTURE_SIZE;
bool isHair(const ShellTexture& shell, int texel) { return shell.pixels[4 * texel + 3] != 0; }
ShellTexture generated(float density) {
    ShellTexture shell;
    generateShellPixels(shell, density);
    return shell;
}
// Rodrigues' rotation of v by angle degrees about a unit axis, as glRotatef turns it.
Vector3 rotate(Vector3 v, float degrees, Vector3 axis) {
    const float radians = degrees * 3.14159265f / 180.0f, c = std::cos(radians), s = std::sin(radians);
    return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1.0f - c));
}
}  // namespace

// Each face is the unit quad moved and turned: its centre must land on its own side of the cube
// and its normal point back into the room, or the face is culled or drawn outside.
TEST(RoomFaces, EveryFaceLiesOnTheCubeAndLooksInwards) {
    Vector3 seen = {};
    for (const RoomFace& face : ROOM_FACES) {
        const Vector3 centre = face.translation;
        EXPECT_NEAR(length(centre), 1.0f, 1e-6f);
        EXPECT_NE(centre.y, -1.0f) << "the floor is drawn as fur, not as a face";
        EXPECT_NEAR(dot(rotate({0, 1, 0}, face.angleDegrees, face.axis), centre), -1.0f, 1e-5f);
        EXPECT_NEAR(dot(rotate({1, 0, 1}, face.angleDegrees, face.axis) + centre, centre), 1.0f, 1e-5f);
        seen += Vector3{std::fabs(centre.x), std::fabs(centre.y), std::fabs(centre.z)};
    }
    EXPECT_FLOAT_EQ(ROOM_FACES[0].translation.y, 1.0f) << "the ceiling comes first";
    EXPECT_FLOAT_EQ(seen.x + 10 * seen.y + 100 * seen.z, 2 + 10 + 200);
}

TEST(ShellTextures, FortyLayersThinningOutEachInsideTheOneBelowAndRepeatable) {
    const std::vector<float> densities = shellDensities();
    ASSERT_EQ(densities.size(), 40u);
    EXPECT_EQ(densities.front(), 0.8f);
    EXPECT_NEAR(densities.back(), 0.02f, 1e-6f);
    EXPECT_EQ(shellHairCount(densities.front()) * 1000 + shellAlpha(densities.front()), 52429144);
    EXPECT_EQ(shellHairCount(densities.back()) * 1000 + shellAlpha(densities.back()), 1311001);
    EXPECT_EQ(shellAlpha(0.5f), 71);
    ShellTexture below;
    for (float density : densities) {
        const ShellTexture shell = generated(density);
        ASSERT_EQ(shell.pixels.size(), 4u * TEXELS);
        int hairs = 0;
        for (int texel = 0; texel < TEXELS; ++texel) {
            const std::uint8_t* p = &shell.pixels[4 * texel];
            if (!isHair(shell, texel)) {
                ASSERT_EQ(p[0] | p[1] | p[2], 0) << density;
                continue;
            }
            ++hairs;
            // Every hair has the shell's alpha; it is red (55 or more) or grey.
            ASSERT_EQ(p[3], shellAlpha(density)) << density;
            ASSERT_GE(p[0], 55) << density;
            ASSERT_TRUE(p[1] == 0 ? p[2] == 0 : p[1] == p[0] && p[2] == p[0]) << density;
            ASSERT_TRUE(below.pixels.empty() || isHair(below, texel)) << "density " << density << " texel " << texel;
        }
        EXPECT_GT(hairs, 0);
        EXPECT_LE(hairs, shellHairCount(density));  // hairs may share a texel
        below = shell;
    }
    EXPECT_EQ(generated(0.5f).pixels, generated(0.5f).pixels);
}
