// The page's GLUT, put together as freeglut's own header is: Emscripten's GLUT and the freeglut
// extensions it lacks (freeglut_ext.h beside this). Dear ImGui's GLUT back end is compiled
// against it (tools/web/build-deps.sh); the program reaches the same two through the layer's
// GL/freeglut.h.
#pragma once

#include <GL/freeglut_std.h>
#include <GL/freeglut_ext.h>
