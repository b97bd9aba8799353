#include "app/CommandLine.h"

#include <cstdio>

#include "app/KeyTable.h"

std::string usageText() {
    return "usage: fuzzlets [--help] [--version] [GLUT options such as -display NAME]\n"
           "Six fur balls in a closed room, a wandering light and a music loop.\n"
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
