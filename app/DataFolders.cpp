#include "app/DataFolders.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/DataFolder.h"

namespace fs = std::filesystem;

namespace {
const char* const DATA_SUBFOLDERS[] = {"shader/glsl", "media", "media/textures"};

// The working directory is the data folder when it is laid out as one: the user may be working
// on its files, and the program reports what is broken there rather than look elsewhere.
bool laidOutAsData(const fs::path& folder) {
    std::error_code error;
    for (const char* subfolder : DATA_SUBFOLDERS)
        if (!fs::is_directory(folder / subfolder, error)) return false;
    return true;
}

// Elsewhere only a folder with every file the program loads will do, so that a half-copied one
// does not hide a complete one further on.
bool holdsAllData(const fs::path& folder) {
    std::vector<std::string> files = {MUSIC_PATH, NORMAL_MAP_PATH, WALL_IMAGE_PATH, FLOOR_IMAGE_PATH};
    for (const char* program : SHADER_PROGRAM_NAMES)
        for (const char* stage : {".vert", ".frag"}) files.push_back(std::string(SHADER_DIRECTORY) + program + stage);
    std::error_code error;
    for (const std::string& file : files)
        if (!fs::is_regular_file(folder / file, error)) return false;
    return true;
}

// An installed program takes the data installed with it, even when the source tree it was built
// from is still there; the configured prefix is asked last, for a program copied elsewhere. An
// installed program finds that to be the first folder again, which is asked once.
std::vector<fs::path> candidateFolders() {
    std::vector<fs::path> folders;
    const fs::path installed = installedDataFolder();
    if (!installed.empty()) folders.push_back(installed);
    folders.push_back(FUZZLETS_SOURCE_DIR);
    if (folders.front() != fs::path(FUZZLETS_INSTALLED_DATA_DIR)) folders.push_back(FUZZLETS_INSTALLED_DATA_DIR);
    return folders;
}

fs::path currentDirectory() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? fs::path(".") : current;
}
}  // namespace

const fs::path& userDirectory() {
    static const fs::path directory = currentDirectory();
    return directory;
}

void enterDataFolder() {
    const fs::path& here = userDirectory();
    if (laidOutAsData(here)) return;
    std::string tried = here.string();
    for (const fs::path& folder : candidateFolders()) {
        std::error_code error;
        if (holdsAllData(folder)) {
            fs::current_path(folder, error);
            if (!error) return;
        }
        tried += ", " + folder.string();
    }
    std::printf("data folders shader/glsl, media and media/textures not found in %s\n", tried.c_str());
    std::fflush(stdout);
}
