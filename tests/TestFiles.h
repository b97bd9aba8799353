// Files the tests write and read back, shared by the unit, window and program tests.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

// A path in the temporary folder named for this process, so that tests running side by side
// never share a file.
inline std::filesystem::path temporaryPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("fuzzlets-" + std::to_string(getpid()) + "-" + name);
}

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
