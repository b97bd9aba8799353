#include "platform/ImageFiles.h"

// DevIL's source is not to be had for a Windows build; libpng and libjpeg-turbo are.
bool readImage(const std::filesystem::path& path, RgbaImage& image) { return PngJpegImages::readImage(path, image); }

bool writePng(const std::filesystem::path& path, const RgbImage& image) { return PngJpegImages::writePng(path, image); }
