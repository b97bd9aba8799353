#include "render/ShaderPrograms.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "render/ShaderSource.h"

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

bool succeeded(GLuint object, GLenum status, PFNGLGETSHADERIVPROC getParameter) {
    GLint result = GL_FALSE;
    getParameter(object, status, &result);
    return result == GL_TRUE;
}

// The info log of a shader or a program, through their own pair of query functions, ending in a
// newline; a driver may leave it empty.
std::string infoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getLog) {
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(size_t(length) + 1, '\0');
    getLog(object, length, nullptr, log.data());
    const std::string text = log.data();
    return text.empty() || text.back() == '\n' ? text : text + "\n";
}

// A failure as the reader wants it: what failed, then the driver's messages, or that it gave none.
std::string failure(const std::string& what, const std::string& log) {
    return log.empty() ? what + "; the driver gave no reason\n" : what + "\n" + log;
}

// One stage's failure, the driver's messages naming the files; empty when the stage compiled.
std::string shaderFailure(GLuint shader, const ShaderSource& source, const std::string& path) {
    if (succeeded(shader, GL_COMPILE_STATUS, glGetShaderiv)) return "";
    return failure(path + ": compile failed", nameFilesInLog(infoLog(shader, glGetShaderiv, glGetShaderInfoLog), source.files));
}

std::string shaderPath(const std::string& directory, const std::string& name, const char* stage) {
    return directory + name + stage;
}

const char* const STAGES[2] = {".vert", ".frag"};
const GLenum STAGE_TYPES[2] = {GL_VERTEX_SHADER, GL_FRAGMENT_SHADER};

}  // namespace

std::array<ShaderSource, 2> programSources(const std::string& directory, const std::string& name) {
    return {buildShaderSource(directory, name + STAGES[0]), buildShaderSource(directory, name + STAGES[1])};
}

// In the order GL programs are made: both shader objects, both sources, both compiled, then the
// program made, attached and linked. Without both sources nothing is made.
ProgramTable::Built ProgramTable::build(const std::string& directory, const std::string& name) {
    Built built;
    const std::array<ShaderSource, 2> sources = programSources(directory, name);
    for (const ShaderSource& source : sources)
        if (!source.problem.empty()) built.log += source.problem + "\n";
    if (!built.log.empty()) return built;

    for (int stage = 0; stage < 2; ++stage) built.shaders[stage] = glCreateShader(STAGE_TYPES[stage]);
    for (int stage = 0; stage < 2; ++stage) {
        const char* text = sources[stage].text.c_str();
        glShaderSource(built.shaders[stage], 1, &text, nullptr);
    }
    for (GLuint shader : built.shaders) glCompileShader(shader);
    built.program = glCreateProgram();
    for (GLuint shader : built.shaders) glAttachShader(built.program, shader);
    glLinkProgram(built.program);
    // The compile results are read after the link: a driver may put compiling off until then
    // (Mesa does for a shader its cache has seen) and only then say why a stage failed. A link
    // that failed because a stage did not compile has nothing to add to that stage's messages.
    for (int stage = 0; stage < 2; ++stage)
        built.log += shaderFailure(built.shaders[stage], sources[stage], shaderPath(directory, name, STAGES[stage]));
    if (built.log.empty() && !succeeded(built.program, GL_LINK_STATUS, glGetProgramiv))
        built.log = failure(shaderPath(directory, name, STAGES[0]) + " + " + shaderPath(directory, name, STAGES[1]) +
                                ": link failed",
                            infoLog(built.program, glGetProgramiv, glGetProgramInfoLog));
    return built;
}

void ProgramTable::remove(const Built& built) {
    glDeleteProgram(built.program);
    for (GLuint shader : built.shaders) glDeleteShader(shader);
}

// Failures do not stop start-up: the program still goes into the table, but the log says why.
void ProgramTable::load(const std::string& directory, const std::string& name) {
    const Built built = build(directory, name);
    if (!built.log.empty()) {
        std::printf("%s", built.log.c_str());
        std::fflush(stdout);
    }
    enter(name, built);
}

std::string ProgramTable::reload(const std::string& directory) {
    std::string failures;
    for (auto& [name, program] : programs) {
        const Built built = build(directory, name);
        if (!built.log.empty()) {
            remove(built);
            failures += built.log;
            continue;
        }
        remove({program, shaders[name], ""});
        enter(name, built);
    }
    return failures;
}

std::string ProgramTable::remake(const std::string& directory) {
    std::string failures;
    for (const auto& [name, program] : programs) {
        remove({program, shaders[name], ""});
        const Built built = build(directory, name);
        failures += built.log;
        enter(name, built);
    }
    return failures;
}

void ProgramTable::enter(const std::string& name, const Built& built) {
    programs[name] = built.program;
    shaders[name] = built.shaders;
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
