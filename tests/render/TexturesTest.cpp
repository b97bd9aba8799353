// The room's faces, the shader text reader, the generated fur shells and the wall normal map.
#include <IL/il.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <tuple>

#include "render/Room.h"
#include "render/ShaderPrograms.h"
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

TEST(ReadTextFileTest, EndsTheBytesReadWithANulAndRefusesMissingOrEmptyFiles) {
    const std::string path = "/tmp/fuzzlets-text-" + std::to_string(getpid());
    const std::string text = "void main() {\r\n  gl_FragColor = vec4(1.0);\n}";
    std::ofstream(path, std::ios::binary) << text;
    char* read = readTextFile(path.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(std::string(read), text);
    std::free(read);
    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    EXPECT_EQ(readTextFile(path.c_str()), nullptr);
    std::remove(path.c_str());
    EXPECT_EQ(readTextFile(path.c_str()), nullptr);
    EXPECT_EQ(readTextFile("/tmp"), nullptr);  // a folder opens but reads nothing
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

// The committed wall normal map: unit normals facing out, exactly flat between the bumps.
TEST(NormalMapImage, HoldsUnitNormalsOnFlatGround) {
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_TRUE(ilLoadImage("media/textures/NMBalls.png"));
    ASSERT_TRUE(ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE));
    const int width = ilGetInteger(IL_IMAGE_WIDTH), height = ilGetInteger(IL_IMAGE_HEIGHT);
    EXPECT_EQ(width * 1000 + height, 512512);
    const ILubyte* data = ilGetData();
    int flat = 0;
    for (int texel = 0; texel < width * height; ++texel) {
        const ILubyte* p = data + 3 * texel;
        const float x = p[0] / 127.5f - 1.0f, y = p[1] / 127.5f - 1.0f, z = p[2] / 127.5f - 1.0f;
        ASSERT_NEAR(std::sqrt(x * x + y * y + z * z), 1.0f, 0.015f) << texel;
        ASSERT_GE(z, 0.0f) << texel;
        flat += p[0] == 128 && p[1] == 128 && p[2] == 255;
    }
    EXPECT_EQ(data[0] * 1000000 + data[1] * 1000 + data[2], 128128255);  // a corner between bumps
    EXPECT_GT(flat, width * height / 4);
    EXPECT_LT(flat, width * height * 9 / 10);
    ilDeleteImages(1, &image);
    ilShutDown();
}
