// What the demo needs of the OpenGL driver, checked once right after the context exists: a
// driver without it would otherwise crash on a missing entry point or draw a black window.
#pragma once

#include <string>

// The exit status when the driver lacks what the demo needs: the same every time, so that a
// script can tell it from a usage error (2) and a signal (128 + its number).
constexpr int DRIVER_LACKS_STATUS = 3;

// What the driver says of itself and offers, read once after glewInit.
struct DriverFacts {
    std::string version;                // GL_VERSION, e.g. "1.4 Mesa 22.3.6"
    std::string shadingLanguageVersion; // GL_SHADING_LANGUAGE_VERSION; empty below OpenGL 2.0
    std::string renderer;               // GL_RENDERER
    std::string vendor;                 // GL_VENDOR
    bool framebufferObjects = false;    // the EXT or ARB extension, or OpenGL 3.0
    bool depthTextures = false;         // OpenGL 1.4 or ARB_depth_texture
    bool depthComparison = false;       // OpenGL 1.4 or ARB_shadow
    bool multitexture = false;          // OpenGL 1.3 or ARB_multitexture
};

DriverFacts readDriverFacts();

// Empty when the driver offers everything; otherwise the one message for the user, naming what
// is missing and which driver it is.
std::string driverRefusal(const DriverFacts& facts);

// The shadow map calls the EXT framebuffer entry points. A driver that offers framebuffer
// objects only as ARB_framebuffer_object or OpenGL 3.0 has the same calls under the core
// names, with the same arguments and enumerants: the EXT names are pointed at those.
void useCoreFramebufferCallsWhereNeeded();
