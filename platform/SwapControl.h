// Vsync through the window system's swap-control extension, where the driver offers one: GLX's
// on Linux, WGL_EXT_swap_control on Windows.
#pragma once

#include <string>

class SwapControl {
public:
    // Looks the extensions up in the current context's GLX or WGL extension string: an entry
    // point alone does not say the driver supports it.
    SwapControl();
    bool available() const { return setInterval != nullptr; }
    // Waits for the vertical blank before each swap (interval 1) or not (0); ignored when no
    // extension is there.
    void setVsync(bool on) const;
    // For the panel: the extension in use ("GLX_EXT_swap_control", "WGL_EXT_swap_control"), or
    // that none is offered.
    const std::string& description() const { return extension; }

private:
    // Sets the swap interval of the current context's drawable through the extension found.
    void (*setInterval)(int interval) = nullptr;
    std::string extension;
};

// True when the space-separated extension list names exactly this extension.
bool listsExtension(const char* extensions, const char* name);
