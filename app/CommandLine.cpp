#include "app/CommandLine.h"

#include <cstdio>

#include "app/KeyTable.h"

std::string usageText() {
    return "usage: fuzzlets [--help] [--version] [--set NAME=VALUE ...] [GLUT options such as -display NAME]\n"
           "Six fur balls in a closed room, a wandering light and a music loop.\n"
           "\n"
           "  --set NAME=VALUE  start with a setting changed (repeatable); the settings panel (Tab)\n"
           "                    changes the same ones while the demo runs:\n" +
           settingsHelpText("    ") +
           "\n"
           "keys:\n" +
           keyTableText("  ");
}

std::string versionText() { return "fuzzlets " FUZZLETS_VERSION "\n"; }

int answerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
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
