#include "render/ShellSelection.h"

#include <algorithm>

int nextShellPreset(int drawn) {
    for (int preset : SHELL_PRESETS)
        if (preset < drawn) return preset;
    return SHELL_PRESETS[0];
}

bool isShellDrawn(std::size_t index, int drawn, std::size_t shellCount) {
    if (drawn <= 0 || shellCount == 0) return false;
    const std::size_t count = std::min(std::size_t(drawn), shellCount);
    // The first k whose shell lies at or beyond index; the shell is drawn when it lies exactly there.
    const std::size_t k = (index * count + shellCount - 1) / shellCount;
    return k < count && k * shellCount / count == index;
}

std::string describeShellSelection(int drawn, std::size_t shellCount) {
    const std::size_t count = std::min(std::size_t(std::max(drawn, 0)), shellCount);
    const std::string fraction = std::to_string(count) + " of " + std::to_string(shellCount);
    if (count == shellCount) return fraction + " (all)";
    if (count == 1) return fraction + " (innermost only)";
    if (count * 5 == shellCount) return fraction + " (every fifth)";
    return fraction;
}
