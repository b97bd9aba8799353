// Vsync through GLX's swap-control extensions, where the display offers one.
#pragma once

#include <string>

class SwapControl {
public:
    // Looks the extensions up in the current context's GLX extension string: an entry point
    // alone does not say the display supports it.
    SwapControl();
    bool available() const { return intervalEXT || intervalOther; }
    // Waits for the vertical blank before each swap (interval 1) or not (0); ignored when no
    // extension is there.
    void setVsync(bool on) const;
    // For the panel: "GLX_EXT_swap_control", or "not offered by this display".
    const std::string& description() const { return extension; }

private:
    // The EXT form names the drawable it acts on; the MESA and SGI forms act on the current one.
    void (*intervalEXT)(struct _XDisplay*, unsigned long drawable, int interval) = nullptr;
    int (*intervalOther)(int interval) = nullptr;
    std::string extension;
};
