#include "platform/DataFolder.h"

#include <system_error>

std::filesystem::path installedDataFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return executable.parent_path().parent_path() / "share/fuzzlets";
}
