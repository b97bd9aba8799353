// The generated fur shells. The room's faces, each in its place and looking inwards, show in the
// captured picture (tests/program/CaptureToolTest.cpp).
#include <gtest/gtest.h>

#include "render/Textures.h"

namespace {
constexpr int TEXELS = SHELL_TEXTURE_SIZE * SHELL_TEXTURE_SIZE;
bool isHair(const ShellTexture& shell, int texel) { return shell.pixels[4 * texel + 3] != 0; }
}  // namespace

TEST(ShellTextures, FortyLayersThinningOutEachInsideTheOneBelow) {
    const std::vector<float> densities = shellDensities();
    ASSERT_EQ(densities.size(), 40u);
    EXPECT_EQ(densities.front(), 0.8f);
    EXPECT_NEAR(densities.back(), 0.02f, 1e-6f);
    EXPECT_EQ(shellHairCount(densities.front()), 52429);
    EXPECT_EQ(shellAlpha(densities.front()), 144);
    EXPECT_EQ(shellHairCount(densities.back()), 1311);
    EXPECT_EQ(shellAlpha(densities.back()), 1);
    EXPECT_EQ(shellHairCount(densities.back(), 2.0f), 2622);  // the hair-density setting
    EXPECT_EQ(shellAlpha(0.5f), 71);
    ShellTexture below;
    for (float density : densities) {
        ShellTexture shell;
        generateShellPixels(shell, density);
        int hairs = 0, greys = 0;
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
            greys += p[1] != 0;
            ASSERT_TRUE(below.pixels.empty() || isHair(below, texel)) << "density " << density << " texel " << texel;
        }
        EXPECT_GT(greys, 0) << density;  // a few grey hairs in every layer, so hairs in every layer
        EXPECT_LE(hairs, shellHairCount(density));  // hairs may share a texel
        below = shell;
    }
}
