// Which fur shells the passes draw. Seeing every fifth shell, or only the innermost, shows how
// the stack of translucent layers adds up to fur. A drawn shell keeps its own texture and height.
#pragma once

#include <cstddef>
#include <string>

#include "render/Textures.h"

enum class ShellSelection { ALL, EVERY_FIFTH, INNERMOST };

// All, every fifth, the innermost only, then all again.
ShellSelection nextShellSelection(ShellSelection selection);
// Every how many shells one is drawn, starting with the innermost.
std::size_t shellStride(ShellSelection selection, std::size_t shellCount);
// For the help panel, such as "8 of 40 (every fifth)".
std::string describeShellSelection(ShellSelection selection, std::size_t shellCount);

// Calls draw(shell, height) for each selected shell, innermost first. The height is summed
// over every shell, drawn or not, so a shell sits where it sits in the full stack.
template <typename DrawShell>
void forEachDrawnShell(const ShellList& shells, ShellSelection selection, float spacing, DrawShell draw) {
    const std::size_t stride = shellStride(selection, shells.size());
    float height = 0.0f;
    for (std::size_t index = 0; index < shells.size(); ++index, height += spacing)
        if (index % stride == 0) draw(*shells[index], height);
}
