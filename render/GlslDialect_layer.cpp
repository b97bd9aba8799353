// GLSL ES 3.00, with the prelude that names the GL 2.0 built-ins the layer supplies.
#include "render/GlslDialect.h"

#include "gles/ShaderPrelude.h"

std::string glslVersionBlock(ShaderStage stage) {
    return glslEsVersionBlock(stage == ShaderStage::Fragment ? GL_FRAGMENT_SHADER : GL_VERTEX_SHADER);
}

int glslLineDirectiveOffset() { return 0; }
