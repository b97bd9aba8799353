// The layer's GL/freeglut.h: freeglut's own declarations over the layer's GL, with bitmap text
// drawn by the layer from its font atlas, and a swap that the strict build checks first.
#pragma once

#include <GL/glew.h>
#include <GL/glu.h>

#include <GL/freeglut_std.h>
#include <GL/freeglut_ext.h>

#undef GLUT_BITMAP_HELVETICA_10
#define GLUT_BITMAP_HELVETICA_10 fzglutHelvetica10()
#define glutBitmapString fzglutBitmapString
#define glutBitmapLength fzglutBitmapLength
#define glutSwapBuffers fzglutSwapBuffers
