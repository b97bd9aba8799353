#include <IL/il.h>

#include "platform/ImageFiles.h"

namespace {
void startDevil() {
    static const bool started = (ilInit(), true);
    (void)started;
}
}  // namespace

bool DevilImages::readImage(const std::filesystem::path& path, RgbaImage& image) {
    startDevil();
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    // PNG and JPEG keep the file's row order, top first, as DevIL is left to do by default.
    const bool loaded = ilLoadImage(path.c_str()) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    const int width = ilGetInteger(IL_IMAGE_WIDTH), height = ilGetInteger(IL_IMAGE_HEIGHT);
    const ILubyte* data = ilGetData();
    const bool decoded = loaded && data && width > 0 && height > 0;
    if (decoded) {
        image.width = width;
        image.height = height;
        image.rgba.assign(data, data + size_t(width) * size_t(height) * 4);
    }
    ilDeleteImages(1, &name);
    return decoded;
}

bool DevilImages::writePng(const std::filesystem::path& path, const RgbImage& image) {
    startDevil();
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    ilEnable(IL_FILE_OVERWRITE);
    bool written = ilTexImage(ILuint(image.width), ILuint(image.height), 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
                              const_cast<std::uint8_t*>(image.rgb.data())) == IL_TRUE;
    // The rows come top first; DevIL takes a new image's to come from the bottom.
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    written = written && ilSave(IL_PNG, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &name);
    return written;
}
