// Process start-up and the window: everything main does before the loop, shared with the
// tools and the tests so that they run exactly what the program runs.
#pragma once

#include "app/Settings.h"
#include "audio/MusicPlayer.h"

class Scene;

constexpr int WINDOW_WIDTH = 640;
constexpr int WINDOW_HEIGHT = 480;
constexpr int WINDOW_X = 100;
constexpr int WINDOW_Y = 100;

// The scene the callbacks act on; set once by startFuzzlets.
extern Scene* scene;

// Catches the stop requests, finds the data folders, initialises GLUT and GLEW, opens the
// window, registers the callbacks, creates the scene, sizes the view and runs the scene's
// start-up, then hands it the settings. Returns the scene.
Scene* startFuzzlets(int* argc, char** argv, AudioOutput audioOutput = AUDIO_OUTPUT_DEVICE,
                     const Settings& settings = {});

void reshape(int width, int height);

// Unhooks the keyboard and the pointer, for runs that take only scripted input: a pointer that
// another program moves over the window must not turn the camera.
void ignoreLiveInput();

// For runs that draw their own frames: from now on a window event (another window passing over
// this one) draws nothing, where it would otherwise draw an extra frame and move the world on.
void drawOnlyWhenCalled();

// Leaves full screen for a 640 x 480 window at (100, 100).
void returnToStartWindow();
