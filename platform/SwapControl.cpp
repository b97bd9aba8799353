#include "platform/SwapControl.h"

#include <cstring>

bool listsExtension(const char* extensions, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* found = std::strstr(extensions, name); found; found = std::strstr(found + length, name)) {
        const bool starts = found == extensions || found[-1] == ' ';
        const bool ends = found[length] == ' ' || found[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

void SwapControl::setVsync(bool on) const {
    if (setInterval) setInterval(on ? 1 : 0);
}
