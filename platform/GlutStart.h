// GLUT started for the program. On the desktop that is glutInit; in the page it also wraps the
// input listeners glutInit registered, for key repeat, pointer lock, touch, the wheel and the
// canvas's size (platform/Glut_browser.cpp).
#pragma once

void startGlut(int* argc, char** argv);
