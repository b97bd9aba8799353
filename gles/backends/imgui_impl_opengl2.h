// The layer's stand-in for Dear ImGui's OpenGL 2 back end: its OpenGL 3 back end, which draws
// with ES 3.0's calls and GLSL ES 3.00, under the OpenGL 2 back end's names.
#pragma once

#include <backends/imgui_impl_opengl3.h>

// The one GLSL ES version the layer's shaders speak.
#define ImGui_ImplOpenGL2_Init() ImGui_ImplOpenGL3_Init("#version 300 es")
#define ImGui_ImplOpenGL2_Shutdown ImGui_ImplOpenGL3_Shutdown
#define ImGui_ImplOpenGL2_NewFrame ImGui_ImplOpenGL3_NewFrame
#define ImGui_ImplOpenGL2_RenderDrawData ImGui_ImplOpenGL3_RenderDrawData
