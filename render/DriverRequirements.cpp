#include "render/DriverRequirements.h"

#include <GL/glew.h>

#include <cctype>
#include <vector>

namespace {
// The demo is written for OpenGL 2.0 and its shading language, GLSL 1.10; as major * 100 +
// minor, so that GLSL's two-digit minor numbers compare as written ("1.10" is 110).
constexpr int NEEDED_GL = 200;
constexpr int NEEDED_GLSL = 110;

// The first "major.minor" in a version string ("1.4 Mesa 22.3.6", "OpenGL ES 3.0 ..."), with a
// one-digit minor read as tens ("1.1" is 110, as "1.10"); 0 when there is none.
int versionNumber(const std::string& text) {
    for (size_t at = 0; at + 2 < text.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(text[at])) || text[at + 1] != '.' ||
            !std::isdigit(static_cast<unsigned char>(text[at + 2])))
            continue;
        const int major = text[at] - '0';
        int minor = (text[at + 2] - '0') * 10;
        if (at + 3 < text.size() && std::isdigit(static_cast<unsigned char>(text[at + 3]))) minor += text[at + 3] - '0';
        return major * 100 + minor;
    }
    return 0;
}

// "OpenGL 1.4" from "1.4 Mesa 22.3.6": the version as the message names it.
std::string shortVersion(const std::string& version) {
    const int number = versionNumber(version);
    return "OpenGL " + std::to_string(number / 100) + "." + std::to_string(number % 100 / 10);
}

std::string text(GLenum name) {
    const GLubyte* value = glGetString(name);
    return value ? reinterpret_cast<const char*>(value) : "";
}

bool supported(const char* name) { return glewIsSupported(name) == GL_TRUE; }

// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string list;
    for (size_t i = 0; i < items.size(); ++i)
        list += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return list;
}
}  // namespace

DriverFacts readDriverFacts() {
    DriverFacts facts;
    facts.version = text(GL_VERSION);
    facts.renderer = text(GL_RENDERER);
    facts.vendor = text(GL_VENDOR);
    // Drivers before OpenGL 2.0 may not know the name at all.
    if (versionNumber(facts.version) >= NEEDED_GL) facts.shadingLanguageVersion = text(GL_SHADING_LANGUAGE_VERSION);
    facts.framebufferObjects = supported("GL_EXT_framebuffer_object") || supported("GL_ARB_framebuffer_object") ||
                               supported("GL_VERSION_3_0");
    facts.depthTextures = supported("GL_VERSION_1_4") || supported("GL_ARB_depth_texture");
    facts.depthComparison = supported("GL_VERSION_1_4") || supported("GL_ARB_shadow");
    facts.multitexture = supported("GL_VERSION_1_3") || supported("GL_ARB_multitexture");
    return facts;
}

std::string driverRefusal(const DriverFacts& facts) {
    std::vector<std::string> lacking;
    // Below OpenGL 2.0 the version says it all: GLSL came with 2.0.
    const bool oldGl = versionNumber(facts.version) < NEEDED_GL;
    // OpenGL 2.0 brings GLSL 1.10; a driver that gives no GLSL version (Mesa told to offer 1.10
    // gives none) is taken at its OpenGL version's word.
    const std::string& glsl = facts.shadingLanguageVersion;
    if (!oldGl && !glsl.empty() && versionNumber(glsl) < NEEDED_GLSL) lacking.push_back("GLSL 1.10");
    if (!facts.framebufferObjects) lacking.push_back("framebuffer objects");
    if (!facts.depthTextures) lacking.push_back("depth textures");
    if (!facts.depthComparison) lacking.push_back("depth texture comparison");
    if (!facts.multitexture) lacking.push_back("multitexture");
    if (!oldGl && lacking.empty()) return "";
    return "Fuzzlets needs OpenGL 2.0 with framebuffer objects; this driver (" + facts.renderer + " from " +
           facts.vendor + ", OpenGL " + facts.version + ") offers " + shortVersion(facts.version) +
           (lacking.empty() ? "" : " without " + listed(lacking)) + ".";
}

void useCoreFramebufferCallsWhereNeeded() {
    if (supported("GL_EXT_framebuffer_object")) return;
    glGenFramebuffersEXT = glGenFramebuffers;
    glBindFramebufferEXT = glBindFramebuffer;
    glFramebufferTexture2DEXT = glFramebufferTexture2D;
    glCheckFramebufferStatusEXT = glCheckFramebufferStatus;
    glDeleteFramebuffersEXT = glDeleteFramebuffers;
}
