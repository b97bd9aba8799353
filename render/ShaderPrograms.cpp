#include "render/ShaderPrograms.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

char* readTextFile(const char* path) {
    FILE* file = std::fopen(path, "rt");
    if (!file) return nullptr;
    // A folder opens too, and reports an absurd size; only regular files are read.
    struct stat status = {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(file);
        return nullptr;
    }

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
// Shaders and programs report alike, through their own pair of query functions.
void printLogIfFailed(GLuint object, GLenum status, PFNGLGETSHADERIVPROC getParameter,
                      PFNGLGETSHADERINFOLOGPROC getLog, const std::string& what) {
    GLint succeeded = GL_FALSE;
    getParameter(object, status, &succeeded);
    if (succeeded == GL_TRUE) return;
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(size_t(length) + 1, '\0');
    getLog(object, length, nullptr, log.data());
    std::printf("%s\n%s\n", what.c_str(), log.data());
    std::fflush(stdout);
}

void printShaderLog(GLuint shader, const std::string& path) {
    printLogIfFailed(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, path + ": compile failed");
}

void printProgramLog(GLuint program, const std::string& paths) {
    printLogIfFailed(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, paths + ": link failed");
}

// The source of one shader, or null after saying why there is none: compiling an empty text
// would only report a syntax error that hides the real cause.
char* readShaderSource(const std::string& path) {
    char* text = readTextFile(path.c_str());
    if (!text) {
        std::printf("%s: cannot be read\n", path.c_str());
        std::fflush(stdout);
    }
    return text;
}

GLuint compileShader(GLenum stage, const char* text, const std::string& path) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    printShaderLog(shader, path);
    return shader;
}

}  // namespace

void ProgramTable::load(const std::string& directory, const std::string& name) {
    const std::string vertexPath = directory + name + ".vert";
    const std::string fragmentPath = directory + name + ".frag";
    char* vertexText = readShaderSource(vertexPath);
    char* fragmentText = readShaderSource(fragmentPath);
    // Without both sources the name stays on the fixed-function pipeline (program 0).
    GLuint program = 0;
    if (vertexText && fragmentText) {
        const GLuint vertexShader = compileShader(GL_VERTEX_SHADER, vertexText, vertexPath);
        const GLuint fragmentShader = compileShader(GL_FRAGMENT_SHADER, fragmentText, fragmentPath);
        program = glCreateProgram();
        glAttachShader(program, vertexShader);
        glAttachShader(program, fragmentShader);
        glLinkProgram(program);
        printProgramLog(program, vertexPath + " + " + fragmentPath);
    }
    std::free(vertexText);
    std::free(fragmentText);
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
