// The text each shader hands the driver: a prelude the program writes (the GLSL version and
// #defines of every constant C++ and GLSL share, from its one C++ name), then the file, with
// the shared GLSL files put in where a line `#include "name"` asks for them. #line directives
// keep the driver's messages pointing at the file and line the reader edits.
#pragma once

#include <string>
#include <vector>

enum class ShaderStage { Vertex, Fragment };

// The stage a file holds, by its name: ".frag" is a fragment shader, all else vertex.
ShaderStage stageOf(const std::string& fileName);

std::string shaderPrelude(ShaderStage stage);

struct ShaderSource {
    std::string text;                // one string, as glShaderSource gets it
    std::vector<std::string> files;  // by source-string number, as #line numbers them
    std::string problem;             // empty, or why there is no text: "PATH: cannot be read"
};

// The shader directory + fileName, with its prelude and its includes.
ShaderSource buildShaderSource(const std::string& directory, const std::string& fileName);

// The driver's log with each message's leading "N:LINE" or "N(LINE)" (Mesa, NVIDIA and AMD
// write it so) naming the file, "fur.frag:LINE".
std::string nameFilesInLog(const std::string& log, const std::vector<std::string>& files);
