// The program's pictures as files: PNG and JPEG read into RGBA bytes for textures, PNG written
// for screenshots and captured frames. Linux reads and writes them through DevIL; Windows,
// where DevIL is not to be had, through libpng and libjpeg. Both give the same pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Rows from the top of the picture as the file stores them, 4 bytes (R, G, B, A) per pixel.
// Uploaded as they are, the first row is where texture coordinate t is 0.
struct RgbaImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
};

// Rows from the top, 3 bytes (R, G, B) per pixel.
struct RgbImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

// The platform's codec. readImage is false, image untouched, when the file is missing or is not
// a PNG or JPEG it can decode; the caller reports it. writePng is false when the file cannot
// be written.
bool readImage(const std::filesystem::path& path, RgbaImage& image);
bool writePng(const std::filesystem::path& path, const RgbImage& image);

// The two codecs by name, so that one test holds both to the same contract on Linux, where
// both build.
namespace DevilImages {
bool readImage(const std::filesystem::path& path, RgbaImage& image);
bool writePng(const std::filesystem::path& path, const RgbImage& image);
}  // namespace DevilImages

namespace PngJpegImages {
bool readImage(const std::filesystem::path& path, RgbaImage& image);
bool writePng(const std::filesystem::path& path, const RgbImage& image);
}  // namespace PngJpegImages
