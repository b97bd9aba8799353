// Pictures in the page: textures decoded by stb_image from the page's data; a screenshot
// written into the page's file system and handed to the browser as a download of that name.
#include "platform/ImageFiles.h"

#include <emscripten.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {
constexpr int RGBA_CHANNELS = 4;
constexpr int RGB_CHANNELS = 3;

EM_JS(void, offerDownload, (const char* path), {
    var name = UTF8ToString(path);
    var blob = new Blob([FS.readFile(name)], {type: 'image/png'});
    var link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name.substring(name.lastIndexOf('/') + 1);
    link.click();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 60000);
});
}  // namespace

bool readImage(const std::filesystem::path& path, RgbaImage& image) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, RGBA_CHANNELS);
    if (!pixels) return false;
    image.width = width;
    image.height = height;
    image.rgba.assign(pixels, pixels + size_t(width) * size_t(height) * RGBA_CHANNELS);
    stbi_image_free(pixels);
    return true;
}

bool writePng(const std::filesystem::path& path, const RgbImage& image) {
    if (!stbi_write_png(path.c_str(), image.width, image.height, RGB_CHANNELS, image.rgb.data(),
                        image.width * RGB_CHANNELS))
        return false;
    offerDownload(path.c_str());
    return true;
}
