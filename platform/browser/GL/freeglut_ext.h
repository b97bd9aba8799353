// The freeglut extensions the program and Dear ImGui's GLUT back end call, which Emscripten's
// GLUT lacks; the browser's side of them is platform/Glut_browser.cpp.
#pragma once
// freeglut's own guard, by which ImGui's back end knows that the wheel callback is there.
#define __FREEGLUT_EXT_H__

#include <GL/freeglut_std.h>

#define GLUT_ACTION_ON_WINDOW_CLOSE 0x01F9
#define GLUT_ACTION_GLUTMAINLOOP_RETURNS 1

#ifdef __cplusplus
extern "C" {
#endif
void glutLeaveMainLoop(void);
void glutExit(void);
void glutSetOption(GLenum option, int value);
void glutLeaveFullScreen(void);
void glutMouseWheelFunc(void (*callback)(int wheel, int direction, int x, int y));
#ifdef __cplusplus
}
#endif
