#include "platform/Console.h"

#include <cstdio>

void useParentConsole() {}

void reportStartFailure(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
}
