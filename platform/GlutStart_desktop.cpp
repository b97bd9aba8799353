#include "platform/GlutStart.h"

#include <GL/freeglut.h>

void startGlut(int* argc, char** argv) { glutInit(argc, argv); }
