#include "platform/ImageFiles.h"

// DevIL, as Debian ships it.
bool readImage(const std::filesystem::path& path, RgbaImage& image) { return DevilImages::readImage(path, image); }

bool writePng(const std::filesystem::path& path, const RgbImage& image) { return DevilImages::writePng(path, image); }
