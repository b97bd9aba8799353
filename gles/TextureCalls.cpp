// Textures and render targets as ES 3.0 takes them: sized depth formats, GLU's mipmaps made here,
// GL_CLAMP as clamp to edge, and depth texture modes noted for the fixed-function program.
#include <algorithm>
#include <vector>

#include "gles/LegacyEnums.h"
#include "gles/LegacyGl.h"
#include "gles/LegacyState.h"

namespace {
GLuint boundTexture() {
    const LegacyState& state = legacyState();
    return state.units[state.activeUnit].boundTexture;
}

void setLuminance(GLuint texture, bool luminance) {
    auto& textures = legacyState().luminanceDepthTextures;
    if (luminance)
        textures.insert(texture);
    else
        textures.erase(texture);
}
}  // namespace

void fzglBindTexture(GLenum target, GLuint texture) {
    LegacyState& state = legacyState();
    if (target == GL_TEXTURE_2D) state.units[state.activeUnit].boundTexture = texture;
    glBindTexture(target, texture);
}

// A deleted texture's name may come back for another texture, and its bindings go to 0.
void fzglDeleteTextures(GLsizei count, const GLuint* textures) {
    LegacyState& state = legacyState();
    for (GLsizei i = 0; i < count; ++i) {
        setLuminance(textures[i], false);
        for (TextureUnitState& unit : state.units)
            if (unit.boundTexture == textures[i]) unit.boundTexture = 0;
    }
    glDeleteTextures(count, textures);
}

void fzglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                    GLenum format, GLenum type, const void* pixels) {
    // ES 3.0 takes depth textures only in sized formats; 24 bits is what a GL 2.0 driver gives
    // GL_DEPTH_COMPONENT, and luminance its depth texture mode until told otherwise.
    if (format == GL_DEPTH_COMPONENT) {
        internalFormat = GL_DEPTH_COMPONENT24;
        type = GL_UNSIGNED_INT;
        setLuminance(boundTexture(), true);
    }
    glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}

// ES 3.0 has no depth texture modes (and WebGL 2 no swizzles to make one): the mode is noted for
// the fixed-function program, the one place the program reads depth as a colour.
void fzglTexParameteri(GLenum target, GLenum name, GLint value) {
    if (name == GL_DEPTH_TEXTURE_MODE) {
        setLuminance(boundTexture(), value == GL_LUMINANCE);
        return;
    }
    // GL_CLAMP blends with the border colour in the outermost half texel, which ES 3.0 has not:
    // a shell's transparent border and its edge texels differ only there. Fading lookups towards
    // the border in the shaders matches GL, but every lookup pays for it on a CPU rasteriser
    // (+25 % to +55 % a frame on llvmpipe), for a difference no one sees.
    if (value == GL_CLAMP) value = GL_CLAMP_TO_EDGE;
    glTexParameteri(target, name, value);
}

void fzglTexParameterf(GLenum target, GLenum name, GLfloat value) { fzglTexParameteri(target, name, GLint(value)); }

namespace {
// The next mipmap level as GLU makes it: each texel the rounded mean of the 2 × 2 texels above it
// (of 2 where one side is already 1).
std::vector<unsigned char> halved(const std::vector<unsigned char>& rgba, int width, int height) {
    const int halfWidth = std::max(1, width / 2), halfHeight = std::max(1, height / 2);
    const int stepX = width > 1 ? 1 : 0, stepY = height > 1 ? 1 : 0;
    const int count = (1 + stepX) * (1 + stepY);
    std::vector<unsigned char> half(4 * size_t(halfWidth) * size_t(halfHeight));
    const auto texel = [&](int x, int y, int channel) { return int(rgba[4 * (size_t(y) * size_t(width) + size_t(x)) + size_t(channel)]); };
    for (int y = 0; y < halfHeight; ++y)
        for (int x = 0; x < halfWidth; ++x)
            for (int channel = 0; channel < 4; ++channel) {
                const int x0 = 2 * x * stepX, y0 = 2 * y * stepY;
                const int sum = texel(x0, y0, channel) + texel(x0 + stepX, y0, channel) +
                                (stepY ? texel(x0, y0 + 1, channel) + texel(x0 + stepX, y0 + 1, channel) : 0);
                half[4 * (size_t(y) * size_t(halfWidth) + size_t(x)) + size_t(channel)] =
                    (unsigned char)((sum + count / 2) / count);
            }
    return half;
}
}  // namespace

// GLU's mipmaps are box-filtered on the CPU; the driver's own generation rounds otherwise, and
// the fur's alpha-tested hairs show it. The program builds RGBA bytes (4 components) only.
GLint fzgluBuild2DMipmaps(GLenum target, [[maybe_unused]] GLint components, GLint width, GLint height, GLenum format,
                          GLenum type, const void* data) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> level(bytes, bytes + 4 * size_t(width) * size_t(height));
    for (GLint index = 0;; ++index) {
        glTexImage2D(target, index, GL_RGBA, width, height, 0, format, type, level.data());
        if (width == 1 && height == 1) return 0;
        level = halved(level, width, height);
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
}

// ES 3.0 chooses draw buffers as a list; the window's is GL_BACK, a framebuffer's none here.
void fzglDrawBuffer(GLenum buffer) { glDrawBuffers(1, &buffer); }
