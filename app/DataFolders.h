// Where the program's data lives, and where the user started it.
#pragma once

#include <string>

// Makes the folder that holds shader/glsl/, media/ and media/textures/ the working directory:
// the current one when it has them, else the source tree the program was built from, else the
// installed data. When none has them, prints one line naming the folders it tried and stays.
void enterDataFolder();

// The working directory at the time enterDataFolder ran (or now, if it has not), for files the
// user asks for, such as screenshots.
const std::string& userDirectory();
