#include <GL/glx.h>

#include "platform/SwapControl.h"

namespace {
const char* const NOT_OFFERED = "not offered by this display";

// The entry points found; one process has one GL context.
PFNGLXSWAPINTERVALEXTPROC swapIntervalEXT = nullptr;
int (*swapIntervalOther)(int interval) = nullptr;

// The EXT form names the drawable it acts on; the MESA and SGI forms act on the current one.
void setIntervalEXT(int interval) { swapIntervalEXT(glXGetCurrentDisplay(), glXGetCurrentDrawable(), interval); }
void setIntervalOther(int interval) { swapIntervalOther(interval); }

template <typename Function>
Function entryPoint(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}
}  // namespace

SwapControl::SwapControl() : extension(NOT_OFFERED) {
    Display* display = glXGetCurrentDisplay();
    const char* extensions = display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
    if (!extensions) return;
    if (listsExtension(extensions, "GLX_EXT_swap_control")) {
        swapIntervalEXT = entryPoint<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT");
        if (swapIntervalEXT) {
            setInterval = setIntervalEXT;
            extension = "GLX_EXT_swap_control";
            return;
        }
    }
    // In order of preference.
    for (const auto& [name, function] : {std::pair("GLX_MESA_swap_control", "glXSwapIntervalMESA"),
                                         std::pair("GLX_SGI_swap_control", "glXSwapIntervalSGI")}) {
        if (!listsExtension(extensions, name)) continue;
        swapIntervalOther = entryPoint<decltype(swapIntervalOther)>(function);
        if (!swapIntervalOther) continue;
        setInterval = setIntervalOther;
        extension = name;
        return;
    }
}
