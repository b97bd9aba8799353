// Keyboard and pointer callbacks. They only set fields of the scene and its camera; the next
// frame applies them. While the settings panel shows (Tab), events go to it first: the pointer
// only to it, keys to the camera too unless a panel field has the keyboard.
#pragma once

void keyboard(unsigned char key, int x, int y);
void keyboardUp(unsigned char key, int x, int y);
// GLUT's special keys: F12 saves the window as a numbered PNG in the scene's screenshot folder.
void specialKey(int key, int x, int y);
void specialKeyUp(int key, int x, int y);
void passiveMotion(int x, int y);
// Buttons, dragging and the wheel act only on the panel.
void mouseButton(int button, int state, int x, int y);
void mouseDrag(int x, int y);
void mouseWheel(int wheel, int direction, int x, int y);
