// The table of GLSL programs by name, and the one way uniforms are set: the program is looked
// up by name and the location asked for by name at the moment of use, nothing cached.
#pragma once

#include <GL/glew.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "camera/MathTypes.h"
#include "render/ShaderSource.h"

// The whole file as a NUL-terminated malloc'd buffer the caller frees; null when the file
// cannot be opened or is empty.
char* readTextFile(const char* path);

// Where the programs' sources live, and the programs the scene loads from there.
constexpr const char* SHADER_DIRECTORY = "shader/glsl/";
constexpr const char* SHADER_PROGRAM_NAMES[] = {"fur", "normalMapping", "depth", "floorFur"};

// The two final source strings of a program, vertex then fragment, as the driver gets them.
std::array<ShaderSource, 2> programSources(const std::string& directory, const std::string& name);

class ProgramTable {
public:
    // Compiles directory + name + ".vert" / ".frag", links them and enters the result under name,
    // printing the log of a stage that fails. A source that cannot be read is named as such, and
    // the name then gets 0.
    void load(const std::string& directory, const std::string& name);
    // Makes every program in the table again from directory. A program that fails keeps the one
    // that worked; the objects a new program replaces are deleted. Returns the failures' logs,
    // each message naming its file and line, or an empty text when every program was made.
    std::string reload(const std::string& directory);
    // Deletes every program in the table and makes it again from directory, entering it as load
    // does, failed or not. Returns the failures' logs, as reload does.
    std::string remake(const std::string& directory);
    // A name never loaded is entered with 0 (the fixed-function pipeline) and yields 0.
    GLuint program(const std::string& name);
    const std::map<std::string, GLuint>& entries() const { return programs; }

    void use(const std::string& name);
    GLint location(const std::string& name, const char* uniform);
    void setInt(const std::string& name, const char* uniform, GLint value);
    void setFloat(const std::string& name, const char* uniform, GLfloat value);
    void setVec4(const std::string& name, const char* uniform, const GLfloat value[4]);
    void setMatrix(const std::string& name, const char* uniform, const Matrix4& value);

private:
    struct Built {
        GLuint program = 0;
        std::array<GLuint, 2> shaders{};  // vertex, fragment
        std::string log;                   // empty when both compiled and the link succeeded
    };
    static Built build(const std::string& directory, const std::string& name);
    static void remove(const Built& built);
    void enter(const std::string& name, const Built& built);

    std::map<std::string, GLuint> programs;
    std::map<std::string, std::array<GLuint, 2>> shaders;
};
