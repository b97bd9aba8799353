// Which fur shells the passes draw. Seeing every fifth shell, or only the innermost, shows how
// the stack of translucent layers adds up to fur. A drawn shell keeps its own texture and height.
#pragma once

#include <cstddef>
#include <string>

#include "render/Textures.h"

// The `2` key steps through these counts of drawn shells: all, every fifth, the innermost.
constexpr int SHELL_PRESETS[] = {FUR_SHELL_COUNT, FUR_SHELL_COUNT / 5, 1};

// The next preset below drawn, or all shells again after the innermost.
int nextShellPreset(int drawn);
// Whether shell index is one of drawn shells spread evenly over shellCount, innermost first:
// index k * shellCount / drawn for k = 0 .. drawn - 1. Every fifth for 8 of 40.
bool isShellDrawn(std::size_t index, int drawn, std::size_t shellCount);
// For the help panel, such as "8 of 40 (every fifth)".
std::string describeShellSelection(int drawn, std::size_t shellCount);

// Calls draw(shell, height) for each drawn shell, innermost first. The height is summed over
// every shell, drawn or not, so a shell sits where it sits in the full stack.
template <typename DrawShell>
void forEachDrawnShell(const ShellList& shells, int drawn, float spacing, DrawShell draw) {
    float height = 0.0f;
    for (std::size_t index = 0; index < shells.size(); ++index, height += spacing)
        if (isShellDrawn(index, drawn, shells.size())) draw(*shells[index], height);
}
