#include "app/SwapControl.h"

#include <GL/glx.h>

#include <cstring>

namespace {
const char* const EXT_SWAP_CONTROL = "GLX_EXT_swap_control";

bool hasExtension(const char* extensions, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* found = std::strstr(extensions, name); found; found = std::strstr(found + length, name)) {
        const bool starts = found == extensions || found[-1] == ' ';
        const bool ends = found[length] == ' ' || found[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

template <typename Function>
Function entryPoint(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}
}  // namespace

SwapControl::SwapControl() : extension("not offered by this display") {
    Display* display = glXGetCurrentDisplay();
    const char* extensions = display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
    if (!extensions) return;
    if (hasExtension(extensions, EXT_SWAP_CONTROL)) {
        intervalEXT = entryPoint<decltype(intervalEXT)>("glXSwapIntervalEXT");
        if (intervalEXT) {
            extension = EXT_SWAP_CONTROL;
            return;
        }
    }
    // In order of preference.
    for (const auto& [name, function] : {std::pair("GLX_MESA_swap_control", "glXSwapIntervalMESA"),
                                         std::pair("GLX_SGI_swap_control", "glXSwapIntervalSGI")}) {
        if (!hasExtension(extensions, name)) continue;
        intervalOther = entryPoint<decltype(intervalOther)>(function);
        if (!intervalOther) continue;
        extension = name;
        return;
    }
}

void SwapControl::setVsync(bool on) const {
    const int interval = on ? 1 : 0;
    if (intervalEXT)
        intervalEXT(glXGetCurrentDisplay(), glXGetCurrentDrawable(), interval);
    else if (intervalOther)
        intervalOther(interval);
}
