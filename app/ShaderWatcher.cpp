#include "app/ShaderWatcher.h"

namespace fs = std::filesystem;

ShaderWatcher::ShaderWatcher(std::string folder) : folder(std::move(folder)) { changed(); }

bool ShaderWatcher::changed() {
    size_t count = 0;
    std::error_code error;
    fs::file_time_type newest = fs::last_write_time(folder, error);  // a file added or removed
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        ++count;
        newest = std::max(newest, entry.last_write_time(error));
    }
    const bool different = newest != seen || count != fileCount;
    seen = newest;
    fileCount = count;
    return different;
}
