// The layer's GL/glu.h: the GLU calls the program makes, on the layer's matrix stacks and
// ES 3.0's mipmap generation.
#pragma once

#include <GL/glew.h>

#define gluPerspective fzgluPerspective
#define gluLookAt fzgluLookAt
#define gluOrtho2D fzgluOrtho2D
#define gluBuild2DMipmaps fzgluBuild2DMipmaps
