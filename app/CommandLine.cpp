#include "app/CommandLine.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/DataFolders.h"
#include "render/DriverRequirements.h"
#include "render/ShaderPrograms.h"

namespace fs = std::filesystem;

#include "app/KeyTable.h"

std::string usageText() {
    return "usage: fuzzlets [--help] [--version] [--print-shaders DIR] [--set NAME=VALUE ...]\n"
           "                [GLUT options such as -display NAME]\n"
           "Six fur balls in a closed room, a wandering light and a music loop.\n"
           "\n"
           "  --print-shaders DIR  write each program's two shader sources, exactly as the GL driver\n"
           "                    gets them, as DIR/<name>.vert and DIR/<name>.frag, and quit\n"
           "  --set NAME=VALUE  start with a setting changed (repeatable); the settings panel (Tab)\n"
           "                    changes the same ones while the demo runs:\n" +
           settingsHelpText("    ") +
           "\n"
           "It needs OpenGL 2.0 (GLSL 1.10) with framebuffer objects, depth textures with comparison\n"
           "and multitexture; where the driver lacks any of them it says which and ends with status " +
           std::to_string(DRIVER_LACKS_STATUS) + ".\n"
           "\n"
           "keys:\n" +
           keyTableText("  ");
}

std::string versionText() { return "fuzzlets " FUZZLETS_VERSION "\n"; }

namespace {
// Each program's final sources into folder; the status to exit with.
int printShaders(const std::string& folder) {
    std::error_code error;
    const fs::path target = fs::absolute(folder, error);
    fs::create_directories(target, error);
    enterDataFolder();
    for (const char* name : SHADER_PROGRAM_NAMES) {
        const std::array<ShaderSource, 2> sources = programSources(SHADER_DIRECTORY, name);
        for (int stage = 0; stage < 2; ++stage) {
            const fs::path path = target / (std::string(name) + (stage == 0 ? ".vert" : ".frag"));
            std::ofstream file(path, std::ios::binary);
            file << sources[stage].text;
            if (!sources[stage].problem.empty() || !file.flush()) {
                std::fprintf(stderr, "fuzzlets: %s\n",
                             sources[stage].problem.empty() ? ("cannot write " + path.string()).c_str()
                                                            : sources[stage].problem.c_str());
                return 2;
            }
        }
    }
    return 0;
}
}  // namespace

int answerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--print-shaders") {
            if (i + 1 < argc) return printShaders(argv[i + 1]);
            std::fputs("fuzzlets: --print-shaders needs a folder\n", stderr);
            return 2;
        }
        if (option != "--help" && option != "--version") continue;
        std::fputs((option == "--help" ? usageText() : versionText()).c_str(), stdout);
        return 0;
    }
    return -1;
}

int readSettingOptions(int& argc, char** argv, Settings& settings, const char* program) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) != "--set") {
            argv[kept++] = argv[i];
            continue;
        }
        const std::string problem = i + 1 < argc ? applySettingText(settings, argv[++i]) : "--set needs NAME=VALUE";
        if (!problem.empty()) {
            std::fprintf(stderr, "%s: %s (--help lists the settings)\n", program, problem.c_str());
            return 2;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return -1;
}
