#include "render/ShaderPrograms.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

char* readTextFile(const char* path) {
    FILE* file = std::fopen(path, "rt");
    if (!file) return nullptr;

    char* text = nullptr;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::rewind(file);
    if (size > 0) {
        text = static_cast<char*>(std::malloc(size_t(size) + 1));
        // Text mode may convert line ends, so the terminator goes after what was read.
        const size_t bytesRead = std::fread(text, 1, size_t(size), file);
        text[bytesRead] = '\0';
    }
    std::fclose(file);
    return text;
}

namespace {

// Failures do not stop start-up: the program still goes into the table, but the log says why.
void printShaderLog(GLuint shader, const std::string& path) {
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) return;
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(size_t(length) + 1, '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    std::printf("%s: compile failed\n%s\n", path.c_str(), log.data());
    std::fflush(stdout);
}

void printProgramLog(GLuint program, const std::string& paths) {
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return;
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(size_t(length) + 1, '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    std::printf("%s: link failed\n%s\n", paths.c_str(), log.data());
    std::fflush(stdout);
}

// A missing or empty file reaches the driver as an empty source, never a null pointer.
void setShaderSource(GLuint shader, const char* text) {
    const char* source = text ? text : "";
    glShaderSource(shader, 1, &source, nullptr);
}

}  // namespace

void ProgramTable::load(const std::string& directory, const std::string& name) {
    const std::string vertexPath = directory + name + ".vert";
    const std::string fragmentPath = directory + name + ".frag";

    const GLuint vertexShader = glCreateShader(GL_VERTEX_SHADER);
    const GLuint fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    char* vertexText = readTextFile(vertexPath.c_str());
    char* fragmentText = readTextFile(fragmentPath.c_str());
    setShaderSource(vertexShader, vertexText);
    setShaderSource(fragmentShader, fragmentText);
    std::free(vertexText);
    std::free(fragmentText);

    glCompileShader(vertexShader);
    glCompileShader(fragmentShader);
    printShaderLog(vertexShader, vertexPath);
    printShaderLog(fragmentShader, fragmentPath);

    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    printProgramLog(program, vertexPath + " + " + fragmentPath);

    programs[name] = program;
}

GLuint ProgramTable::program(const std::string& name) { return programs[name]; }

void ProgramTable::use(const std::string& name) { glUseProgram(program(name)); }

GLint ProgramTable::location(const std::string& name, const char* uniform) {
    return glGetUniformLocation(program(name), uniform);
}

void ProgramTable::setInt(const std::string& name, const char* uniform, GLint value) {
    glUniform1i(location(name, uniform), value);
}

void ProgramTable::setFloat(const std::string& name, const char* uniform, GLfloat value) {
    glUniform1f(location(name, uniform), value);
}

void ProgramTable::setVec4(const std::string& name, const char* uniform, const GLfloat value[4]) {
    glUniform4fv(location(name, uniform), 1, value);
}

void ProgramTable::setMatrix(const std::string& name, const char* uniform, const Matrix4& value) {
    glUniformMatrix4fv(location(name, uniform), 1, GL_FALSE, value.m);
}
