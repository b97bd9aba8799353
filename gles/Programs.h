// The program a draw uses and the state it is handed: the application's current program with
// GL 2.0's built-in uniforms, or, with program 0 current, the layer's fixed-function program.
#pragma once

#include <GLES3/gl3.h>

// How the fixed-function program colours a fragment from texture unit 0 (a GL 2.0 texture
// environment; texturing on the other units never reaches the program's fixed-function draws:
// they switch it off, or leave only the shadow map there, whose comparison passes everywhere).
enum class FixedTexturing : GLint { Off, Modulate, Replace, BitmapMask };

// Makes the program for the next draw current and hands it the layer's state.
void prepareDraw();
// The same for a fixed-function draw with the given texturing.
void prepareFixedFunctionDraw(FixedTexturing texturing);
// Compiles and links one of the layer's own programs from GLSL 1.20-style sources under the prelude.
GLuint buildLayerProgram(const char* vertexBody, const char* fragmentBody, const char* extraDefines);
