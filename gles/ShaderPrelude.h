// The first lines of every shader built through the layer: GLSL ES 3.00, with GL 2.0's built-in
// names the program's shaders use defined as what the layer hands each program.
#pragma once

#include <GLES3/gl3.h>

#include <string>

// For GL_VERTEX_SHADER or GL_FRAGMENT_SHADER.
std::string glslEsVersionBlock(GLenum shaderType);
