#include "render/ShaderSource.h"

#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <sstream>

#include "render/FurStyle.h"
#include "render/GlslDialect.h"
#include "render/Room.h"
#include "render/ShaderPrograms.h"
#include "render/TextureUnits.h"
#include "render/Textures.h"

namespace {
// Shared files may include others, to this depth: enough for any sensible nesting, and a file
// that includes itself stops here instead of growing without end.
constexpr int MAX_INCLUDE_DEPTH = 4;

// Nine significant digits give back exactly the float that C++ holds.
std::string define(const char* name, float value) {
    char line[96];
    std::snprintf(line, sizeof line, "#define %s %.9g\n", name, double(value));
    return line;
}

std::string define(const char* name, int value) {
    return std::string("#define ") + name + " " + std::to_string(value) + "\n";
}

// The name in a line `#include "name"`, spaces allowed around each part; empty for any other line.
std::string includedName(const std::string& line) {
    const char* const BLANKS = " \t\r";
    size_t at = line.find_first_not_of(BLANKS);
    if (at == std::string::npos || line[at] != '#') return "";
    at = line.find_first_not_of(BLANKS, at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return "";
    const size_t open = line.find_first_not_of(BLANKS, at + 7);
    if (open == std::string::npos || line[open] != '"') return "";
    const size_t close = line.find('"', open + 1);
    if (close == std::string::npos || line.find_first_not_of(BLANKS, close + 1) != std::string::npos) return "";
    return line.substr(open + 1, close - open - 1);
}

// The source-string number and line of a driver message, and where the rest of it starts:
// "0:12(3): error" (Mesa), "0(12) : error" (NVIDIA), "ERROR: 0:12: ..." (AMD).
struct MessageLocation {
    size_t prefixEnd = 0;  // after "ERROR: " or "WARNING: ", if any
    size_t numberEnd = 0;  // the source-string number is between the two
    bool found = false;
};

MessageLocation locate(const std::string& line) {
    MessageLocation where;
    for (const char* prefix : {"ERROR: ", "WARNING: "})
        if (line.rfind(prefix, 0) == 0) where.prefixEnd = std::strlen(prefix);
    where.numberEnd = line.find_first_not_of("0123456789", where.prefixEnd);
    where.found = where.numberEnd != std::string::npos && where.numberEnd > where.prefixEnd &&
                  where.numberEnd - where.prefixEnd <= 6 && (line[where.numberEnd] == ':' || line[where.numberEnd] == '(') &&
                  where.numberEnd + 1 < line.size() && std::isdigit(static_cast<unsigned char>(line[where.numberEnd + 1]));
    return where;
}

std::string lineDirective(int nextLine, int sourceNumber) {
    return "#line " + std::to_string(nextLine + glslLineDirectiveOffset()) + " " + std::to_string(sourceNumber) + "\n";
}

struct Expander {
    const std::string& directory;
    ShaderSource& source;

    // Appends fileName's text under source number `number`; false after noting a problem.
    bool append(const std::string& fileName, int depth) {
        const int number = int(source.files.size());
        source.files.push_back(directory + fileName);
        char* text = readTextFile((directory + fileName).c_str());
        if (!text) {
            source.problem = directory + fileName + ": cannot be read";
            return false;
        }
        std::istringstream lines(text);
        std::free(text);
        std::string line;
        source.text += lineDirective(1, number);
        for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
            const std::string included = includedName(line);
            if (included.empty()) {
                source.text += line + "\n";
                continue;
            }
            if (depth >= MAX_INCLUDE_DEPTH) {
                source.problem = directory + fileName + ":" + std::to_string(lineNumber) + ": includes nested too deep";
                return false;
            }
            if (!append(included, depth + 1)) return false;
            source.text += lineDirective(lineNumber + 1, number);
        }
        return true;
    }
};
}  // namespace

ShaderStage stageOf(const std::string& fileName) {
    const std::string fragment = ".frag";
    const bool isFragment = fileName.size() >= fragment.size() &&
                            fileName.compare(fileName.size() - fragment.size(), fragment.size(), fragment) == 0;
    return isFragment ? ShaderStage::Fragment : ShaderStage::Vertex;
}

std::string shaderPrelude(ShaderStage stage) {
    return glslVersionBlock(stage) +
           define("FUR_SHELL_COUNT", FUR_SHELL_COUNT) +
           define("FUR_LENGTH_STEP", FUR_LENGTH_STEP) +
           define("FLOOR_SHELL_SPACING", FLOOR_SHELL_SPACING) +
           define("ROOM_SIZE", ROOM_SIZE) +
           define("ROOM_SHADOW_MAP_UNIT", ROOM_SHADOW_MAP_UNIT) +
           define("WALL_NORMAL_MAP_UNIT", WALL_NORMAL_MAP_UNIT) +
           define("WALL_COLOUR_UNIT", WALL_COLOUR_UNIT) +
           define("FLOOR_COLOUR_UNIT", FLOOR_COLOUR_UNIT) +
           define("FLOOR_SHELL_UNIT", FLOOR_SHELL_UNIT) +
           define("FUR_SHELL_UNIT", FUR_SHELL_UNIT) +
           define("FUR_SHADOW_MAP_UNIT", FUR_SHADOW_MAP_UNIT) +
           define("QUAD_COORDINATE_UNIT", QUAD_COORDINATE_UNIT);
}

ShaderSource buildShaderSource(const std::string& directory, const std::string& fileName) {
    ShaderSource source;
    source.text = shaderPrelude(stageOf(fileName));
    Expander{directory, source}.append(fileName, 0);
    if (!source.problem.empty()) source.text.clear();
    return source;
}

std::string nameFilesInLog(const std::string& log, const std::vector<std::string>& files) {
    std::istringstream lines(log);
    std::string line, named;
    while (std::getline(lines, line)) {
        const MessageLocation where = locate(line);
        const size_t number =
            where.found ? std::stoul(line.substr(where.prefixEnd, where.numberEnd - where.prefixEnd)) : files.size();
        if (number < files.size())
            line = line.substr(0, where.prefixEnd) + files[number] + line.substr(where.numberEnd);
        named += line + "\n";
    }
    return named;
}
