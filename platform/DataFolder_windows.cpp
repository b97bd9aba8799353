#include "platform/DataFolder.h"

#include <windows.h>

#include <string>

namespace {
// In wide characters, so that a folder named in any script survives (C:\Users\Zoë\...).
std::filesystem::path executablePath() {
    // The path may be longer than MAX_PATH; a full buffer means it was cut short.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}
}  // namespace

std::filesystem::path installedDataFolder() {
    const std::filesystem::path executable = executablePath();
    return executable.empty() ? executable : executable.parent_path();
}
