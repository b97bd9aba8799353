#include <IL/il.h>
#include <gtest/gtest.h>

#include <cmath>

#include "render/Textures.h"

namespace {

constexpr int TEXEL_COUNT = SHELL_TEXTURE_SIZE * SHELL_TEXTURE_SIZE;

bool isHair(const ShellTexture& shell, int texel) { return shell.pixels[4 * texel + 3] != 0; }

ShellTexture generated(float density) {
    ShellTexture shell;
    generateShellPixels(shell, density);
    return shell;
}

}  // namespace

TEST(ShellTextures, FortyLayersFromDensestToSparsest) {
    const std::vector<float> densities = shellDensities();
    ASSERT_EQ(densities.size(), 40u);
    EXPECT_EQ(densities.front(), 0.8f);
    EXPECT_EQ(shellHairCount(densities.front()), 52429);
    EXPECT_EQ(shellAlpha(densities.front()), 144);
    EXPECT_NEAR(densities.back(), 0.02f, 1e-6f);
    EXPECT_EQ(shellHairCount(densities.back()), 1311);
    EXPECT_EQ(shellAlpha(densities.back()), 1);
    EXPECT_EQ(shellAlpha(0.5f), 71);
}

TEST(ShellTextures, EveryTexelIsEmptyOrAHairOfTheShellsAlpha) {
    for (float density : shellDensities()) {
        const ShellTexture shell = generated(density);
        ASSERT_EQ(shell.pixels.size(), 4u * TEXEL_COUNT);
        const int alpha = shellAlpha(density);
        int hairs = 0;
        for (int texel = 0; texel < TEXEL_COUNT; ++texel) {
            const std::uint8_t* p = &shell.pixels[4 * texel];
            if (!isHair(shell, texel)) {
                ASSERT_EQ(p[0] | p[1] | p[2], 0) << "density " << density;
                continue;
            }
            ++hairs;
            ASSERT_EQ(p[3], alpha) << "density " << density;
            ASSERT_GE(p[0], 55) << "density " << density;
            if (p[1] != 0) {
                ASSERT_EQ(p[1], p[0]);
                ASSERT_EQ(p[2], p[0]);
            } else {
                ASSERT_EQ(p[2], 0);
            }
        }
        // Hairs may land on the same texel, never more texels than hairs.
        EXPECT_GT(hairs, 0);
        EXPECT_LE(hairs, shellHairCount(density));
    }
}

TEST(ShellTextures, SparserShellsKeepTheirHairsInsideDenserOnes) {
    const std::vector<float> densities = shellDensities();
    ShellTexture denser = generated(densities.front());
    for (size_t i = 1; i < densities.size(); ++i) {
        ShellTexture sparser = generated(densities[i]);
        for (int texel = 0; texel < TEXEL_COUNT; ++texel) {
            const bool keptBelow = !isHair(sparser, texel) || isHair(denser, texel);
            ASSERT_TRUE(keptBelow) << "shell " << i << " texel " << texel;
        }
        denser = std::move(sparser);
    }
    // Reseeding makes a shell repeatable.
    EXPECT_EQ(generated(0.5f).pixels, generated(0.5f).pixels);
}

// The committed wall normal map: every texel is a unit normal facing out of the surface, and the
// ground between the bumps is exactly flat.
TEST(NormalMapImage, HoldsUnitNormalsOnFlatGround) {
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_TRUE(ilLoadImage("media/textures/NMBalls.png"));
    ASSERT_TRUE(ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE));
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 512);
    const ILubyte* data = ilGetData();

    int flat = 0;
    for (int texel = 0; texel < width * height; ++texel) {
        const ILubyte* p = data + 3 * texel;
        const float x = p[0] / 127.5f - 1.0f, y = p[1] / 127.5f - 1.0f, z = p[2] / 127.5f - 1.0f;
        ASSERT_NEAR(std::sqrt(x * x + y * y + z * z), 1.0f, 0.015f) << "texel " << texel;
        ASSERT_GE(z, 0.0f) << "texel " << texel;
        if (p[0] == 128 && p[1] == 128 && p[2] == 255) ++flat;
    }
    // The corner of the image lies between bumps; bumps cover a good part but not all of it.
    EXPECT_EQ(data[0], 128);
    EXPECT_EQ(data[1], 128);
    EXPECT_EQ(data[2], 255);
    EXPECT_GT(flat, width * height / 4);
    EXPECT_LT(flat, width * height * 9 / 10);

    ilDeleteImages(1, &image);
    ilShutDown();
}
