// Where the data installed with the running program is, found from its executable, so that
// it starts from any working folder.
#pragma once

#include <filesystem>

// share/fuzzlets beside the bin/ that holds the executable on Linux; the executable's own folder
// on Windows, where the program and its data are unpacked or installed together. An empty path
// when the system will not say where the executable is.
std::filesystem::path installedDataFolder();
