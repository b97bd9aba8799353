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

// A new empty folder at temporaryPath(name), whatever was there before.
inline std::filesystem::path emptyFolder(const std::string& name) {
    const std::filesystem::path folder = temporaryPath(name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// Replaces whatever is at path (a link too) with a file holding bytes; returns the path.
inline std::string writeFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Copies of the program's shaders and media in folder, file by file (Windows has no symbolic
// links for everyone), for a test to break or edit.
inline void copyData(const std::filesystem::path& folder) {
    for (const char* data : {"shader", "media"})
        std::filesystem::copy(std::filesystem::path(FUZZLETS_SOURCE_DIR) / data, folder / data,
                              std::filesystem::copy_options::recursive);
}
