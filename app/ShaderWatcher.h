// Notices edits to the shader files: the newest modification time under the shader folder,
// compared a few times a second. Needs no file-notification library.
#pragma once

#include <filesystem>
#include <string>

class ShaderWatcher {
public:
    explicit ShaderWatcher(std::string folder);
    // True once after any file in the folder was written, added or removed since the last call.
    bool changed();

private:
    std::string folder;
    std::filesystem::file_time_type seen;
    size_t fileCount = 0;
};
