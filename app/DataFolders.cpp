#include "app/DataFolders.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {
const char* const DATA_SUBFOLDERS[] = {"shader/glsl", "media", "media/textures"};

bool holdsData(const fs::path& folder) {
    std::error_code error;
    for (const char* subfolder : DATA_SUBFOLDERS)
        if (!fs::is_directory(folder / subfolder, error)) return false;
    return true;
}

// The installed data sits in share/fuzzlets beside the bin/ that holds the program; the
// configured prefix is asked as well, for a program copied elsewhere.
// An installed program finds both to be the same folder, which is asked once.
std::vector<fs::path> candidateFolders() {
    std::vector<fs::path> folders = {FUZZLETS_SOURCE_DIR};
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) folders.push_back(executable.parent_path().parent_path() / "share/fuzzlets");
    if (folders.back() != fs::path(FUZZLETS_INSTALLED_DATA_DIR)) folders.push_back(FUZZLETS_INSTALLED_DATA_DIR);
    return folders;
}

std::string currentDirectory() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? std::string(".") : current.string();
}
}  // namespace

const std::string& userDirectory() {
    static const std::string directory = currentDirectory();
    return directory;
}

void enterDataFolder() {
    const fs::path here = userDirectory();
    if (holdsData(here)) return;
    std::string tried = here.string();
    for (const fs::path& folder : candidateFolders()) {
        std::error_code error;
        if (holdsData(folder)) {
            fs::current_path(folder, error);
            if (!error) return;
        }
        tried += ", " + folder.string();
    }
    std::printf("data folders shader/glsl, media and media/textures not found in %s\n", tried.c_str());
    std::fflush(stdout);
}
