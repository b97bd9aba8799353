#include "render/GlslDialect.h"

// GLSL 1.10 is what every GL 2.0 driver takes.
std::string glslVersionBlock(ShaderStage) { return "#version 110\n"; }

int glslLineDirectiveOffset() { return -1; }
