#include "render/ShellSelection.h"

#include <algorithm>

namespace {
constexpr std::size_t FIFTH = 5;
}

ShellSelection nextShellSelection(ShellSelection selection) {
    switch (selection) {
        case ShellSelection::ALL: return ShellSelection::EVERY_FIFTH;
        case ShellSelection::EVERY_FIFTH: return ShellSelection::INNERMOST;
        case ShellSelection::INNERMOST: break;
    }
    return ShellSelection::ALL;
}

std::size_t shellStride(ShellSelection selection, std::size_t shellCount) {
    switch (selection) {
        case ShellSelection::ALL: break;
        case ShellSelection::EVERY_FIFTH: return FIFTH;
        case ShellSelection::INNERMOST: return std::max<std::size_t>(shellCount, 1);
    }
    return 1;
}

std::string describeShellSelection(ShellSelection selection, std::size_t shellCount) {
    const std::size_t stride = shellStride(selection, shellCount);
    const std::size_t drawn = (shellCount + stride - 1) / stride;
    const char* name = selection == ShellSelection::ALL           ? "all"
                       : selection == ShellSelection::EVERY_FIFTH ? "every fifth"
                                                                  : "innermost only";
    return std::to_string(drawn) + " of " + std::to_string(shellCount) + " (" + name + ")";
}
