// Where the program's data lives, and where the user started it.
#pragma once

#include <filesystem>

#include "render/ShaderPrograms.h"

// What the program loads, relative to its data folder, besides the shaders.
inline constexpr const char* MUSIC_PATH = "media/loop_space_rocket.mp3";
inline constexpr const char* NORMAL_MAP_PATH = "media/textures/NMBalls.png";
inline constexpr const char* WALL_IMAGE_PATH = "media/textures/70er_green.jpg";
inline constexpr const char* FLOOR_IMAGE_PATH = "media/textures/70er.jpg";

// Makes the data folder the working directory: the current one when it has shader/glsl/,
// media/ and media/textures/, else the first of these with every file above: the installed data
// beside the program (share/fuzzlets next to its bin/), the source tree it was built from, the
// configured install. When none will do, prints one line naming the folders it tried and stays.
void enterDataFolder();

// The working directory at the time enterDataFolder ran (or now, if it has not), for files the
// user asks for, such as screenshots.
const std::filesystem::path& userDirectory();
