// How many of the window's pixels make one point of the screen, for what is drawn in pixels and
// must keep its size to the eye and the finger (the settings panel).
#pragma once

// 1 on the desktop, where a window is sized in pixels; in a page, the canvas's drawing-buffer
// pixels per CSS pixel (2 on most phones).
float windowPixelsPerPoint();
