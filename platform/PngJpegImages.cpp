// libpng's simplified interface and libjpeg-turbo, reading whole files into memory first: a
// std::filesystem::path opens with wide characters on Windows, which their FILE* calls would not.
#include <png.h>
// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/ImageFiles.h"

namespace {
constexpr unsigned char JPEG_SIGNATURE[3] = {0xFF, 0xD8, 0xFF};

bool readFile(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool decodePng(const std::string& bytes, RgbaImage& image) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return false;
    // 8-bit RGBA whatever the file holds: palettes and grey expanded, 16 bits cut to 8, opaque
    // files given alpha 255.
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    image.width = int(png.width);
    image.height = int(png.height);
    image.rgba = std::move(rgba);
    return true;
}

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// into decodeJpeg. Its warnings about damaged data are not the program's to print.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf failed;
};

[[noreturn]] void jumpOnJpegError(j_common_ptr decoder) {
    std::longjmp(reinterpret_cast<JpegErrors*>(decoder->err)->failed, 1);
}

void ignoreJpegMessage(j_common_ptr) {}

// Between setjmp and a longjmp only objects without destructors live here; rgba is the
// caller's and survives the jump.
bool decodeJpegInto(const std::string& bytes, std::vector<std::uint8_t>& rgba, JDIMENSION& width,
                    JDIMENSION& height) {
    jpeg_decompress_struct decoder;
    JpegErrors errors;
    decoder.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpOnJpegError;
    errors.manager.output_message = ignoreJpegMessage;
    if (setjmp(errors.failed)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&decoder, TRUE);
    // libjpeg-turbo writes RGBA with alpha 255 itself.
    decoder.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&decoder);
    width = decoder.output_width;
    height = decoder.output_height;
    rgba.resize(size_t(width) * size_t(height) * 4);
    while (decoder.output_scanline < height) {
        JSAMPROW row = &rgba[size_t(decoder.output_scanline) * size_t(width) * 4];
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return true;
}

bool decodeJpeg(const std::string& bytes, RgbaImage& image) {
    std::vector<std::uint8_t> rgba;
    JDIMENSION width = 0, height = 0;
    if (!decodeJpegInto(bytes, rgba, width, height) || width == 0 || height == 0) return false;
    image.width = int(width);
    image.height = int(height);
    image.rgba = std::move(rgba);
    return true;
}

bool startsWith(const std::string& bytes, const unsigned char* signature, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}
}  // namespace

bool PngJpegImages::readImage(const std::filesystem::path& path, RgbaImage& image) {
    std::string bytes;
    if (!readFile(path, bytes)) return false;
    if (png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, bytes.size()) == 0) return decodePng(bytes, image);
    if (startsWith(bytes, JPEG_SIGNATURE, sizeof JPEG_SIGNATURE)) return decodeJpeg(bytes, image);
    return false;
}

bool PngJpegImages::writePng(const std::filesystem::path& path, const RgbImage& image) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(png, size, 0, image.rgb.data(), 0, nullptr)) return false;
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.rgb.data(), 0, nullptr)) return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(size));
    file.close();
    return !file.fail();
}
