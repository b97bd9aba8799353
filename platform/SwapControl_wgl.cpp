#include <windows.h>

#include "platform/SwapControl.h"

namespace {
const char* const NOT_OFFERED = "not offered by this driver";
const char* const EXT_SWAP_CONTROL = "WGL_EXT_swap_control";

using GetExtensionsStringARB = const char*(WINAPI*)(HDC deviceContext);
using GetExtensionsStringEXT = const char*(WINAPI*)();
using SwapIntervalEXT = BOOL(WINAPI*)(int interval);

// The entry point found; one process has one GL context.
SwapIntervalEXT swapIntervalEXT = nullptr;

void setIntervalEXT(int interval) { swapIntervalEXT(interval); }

// wglGetProcAddress answers for the current context only, with a generic function type.
template <typename Function>
Function entryPoint(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

// The WGL extensions are not in GL's own string: ARB's query takes the device context,
// the older EXT one does not.
const char* wglExtensions() {
    if (const auto arb = entryPoint<GetExtensionsStringARB>("wglGetExtensionsStringARB")) return arb(wglGetCurrentDC());
    if (const auto ext = entryPoint<GetExtensionsStringEXT>("wglGetExtensionsStringEXT")) return ext();
    return nullptr;
}
}  // namespace

SwapControl::SwapControl() : extension(NOT_OFFERED) {
    const char* extensions = wglExtensions();
    if (!extensions || !listsExtension(extensions, EXT_SWAP_CONTROL)) return;
    swapIntervalEXT = entryPoint<SwapIntervalEXT>("wglSwapIntervalEXT");
    if (!swapIntervalEXT) return;
    setInterval = setIntervalEXT;
    extension = EXT_SWAP_CONTROL;
}
