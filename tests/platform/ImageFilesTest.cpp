// The image-file seam: DevIL (Linux) and libpng with libjpeg (Windows) both build here, and
// are held to one contract: the same pixels from the program's media, in the same row order,
// and the same failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ImageFiles.h"
#include "tests/TestFiles.h"

namespace fs = std::filesystem;

namespace {
using Reader = bool (*)(const fs::path&, RgbaImage&);
using Writer = bool (*)(const fs::path&, const RgbImage&);
const Reader READERS[] = {DevilImages::readImage, PngJpegImages::readImage};
const Writer WRITERS[] = {DevilImages::writePng, PngJpegImages::writePng};
const char* const MEDIA[] = {"media/textures/NMBalls.png", "media/textures/70er_green.jpg", "media/textures/70er.jpg"};
}  // namespace

// The same pixels from the media; the same failures; and rows top first: what either codec
// writes, either reads back in the same order.
TEST(ImageFiles, BothCodecsReadAndFailAlikeAndKeepTheRowOrder) {
    for (const char* path : MEDIA) {
        RgbaImage devil, pngJpeg;
        ASSERT_TRUE(DevilImages::readImage(path, devil)) << path;
        ASSERT_TRUE(PngJpegImages::readImage(path, pngJpeg)) << path;
        EXPECT_EQ(std::pair(pngJpeg.width, pngJpeg.height), std::pair(devil.width, devil.height)) << path;
        EXPECT_TRUE(pngJpeg.rgba == devil.rgba) << path;
    }

    const fs::path folder = emptyFolder("images");
    const std::string png = fileBytes(MEDIA[0]);
    const fs::path damaged[] = {folder / "missing.png", writeFileBytes(folder / "text.jpg", "this is not a picture\n"),
                                writeFileBytes(folder / "cut.png", png.substr(0, png.size() / 2))};
    for (const Reader read : READERS) {
        for (const fs::path& path : damaged) {
            RgbaImage image;
            EXPECT_FALSE(read(path, image)) << path;
            EXPECT_EQ(image.width, 0) << path;
        }
    }

    const RgbImage picture = {3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90}};
    const std::vector<std::uint8_t> opaque = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,
                                              10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255};
    for (const Writer write : WRITERS) {
        const fs::path path = folder / "picture.png";
        ASSERT_TRUE(write(path, picture));
        for (const Reader read : READERS) {
            RgbaImage image;
            ASSERT_TRUE(read(path, image));
            EXPECT_EQ(std::pair(image.width, image.height), std::pair(3, 2));
            EXPECT_EQ(image.rgba, opaque);
        }
    }
    fs::remove_all(folder);
}
