// The GLSL a build compiles its shaders as. The desktop build speaks GLSL 1.10; a build through
// the GL layer speaks GLSL ES 3.00 with the GL 2.0 built-ins the layer supplies. Each build links
// one side, chosen by cmake/ProgramSources.cmake: render/GlslDialect_desktop.cpp or
// render/GlslDialect_layer.cpp.
#pragma once

#include <string>

#include "render/ShaderSource.h"

// The first lines of every shader of the stage.
std::string glslVersionBlock(ShaderStage stage);

// What to add to a line number N for `#line` to number the next line N: GLSL 1.10 and 1.20
// number the line after `#line L` as L + 1, GLSL ES 3.00 (as every later version) as L.
int glslLineDirectiveOffset();
