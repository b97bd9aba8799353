#include "render/GlslDialect.h"

#include "gles/ShaderPrelude.h"

std::string glslVersionBlock(ShaderStage stage) {
    return glslEsVersionBlock(stage == ShaderStage::Fragment ? GL_FRAGMENT_SHADER : GL_VERTEX_SHADER);
}

int glslLineDirectiveOffset() { return 0; }
