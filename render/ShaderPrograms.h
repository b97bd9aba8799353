// The table of GLSL programs by name, and the one way uniforms are set: the program is looked
// up by name and the location asked for by name at the moment of use, nothing cached.
#pragma once

#include <GL/glew.h>

#include <map>
#include <string>

#include "camera/MathTypes.h"

// The whole file as a NUL-terminated malloc'd buffer the caller frees; null when the file
// cannot be opened or is empty.
char* readTextFile(const char* path);

class ProgramTable {
public:
    // Compiles directory + name + ".vert" / ".frag", links them and enters the result under name.
    // A source that cannot be read is named as such, and the name then gets 0.
    void load(const std::string& directory, const std::string& name);
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
    std::map<std::string, GLuint> programs;
};
