// Keyboard and pointer callbacks. They only set fields of the scene and its camera; the next
// frame applies them.
#pragma once

void keyboard(unsigned char key, int x, int y);
void keyboardUp(unsigned char key, int x, int y);
void passiveMotion(int x, int y);
