// Keyboard and pointer callbacks. They only set fields of the scene and its camera; the next
// frame applies them.
#pragma once

void keyboard(unsigned char key, int x, int y);
void keyboardUp(unsigned char key, int x, int y);
// GLUT's special keys: F12 saves the window as a numbered PNG in the scene's screenshot folder.
void specialKey(int key, int x, int y);
void passiveMotion(int x, int y);
