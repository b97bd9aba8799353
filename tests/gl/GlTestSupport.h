// Runs the program's own start-up in a real window on the X display and reads back what a
// viewer would see. Includes what every test with a window uses: GL, the scene, its frame and
// its input callbacks.
#pragma once

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>

#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "audio/MusicPlayer.h"
#include "render/Screenshot.h"

// Opens the window and runs start-up exactly as main does, with a fixed frame time of 1/60 s.
// GLUT starts once per process: later calls return the scene already started.
Scene* startTestScene(AudioOutput audioOutput = AUDIO_OUTPUT_DEVICE);
// Draws frames back to back. Window events stay queued, so that pointer moves that other
// tests make on the shared display cannot turn this test's camera.
void runFrames(int count);
// The same, letting GLUT deliver window events (resizes, full screen) before each frame.
void runFramesWithEvents(int count);

struct Rgb {
    int r = 0, g = 0, b = 0;
    int brightness() const { return r + g + b; }
};

// The window's back buffer, rows from the top: the last frame, or what was drawn since.
struct Picture {
    static Picture readBack();
    Rgb at(int x, int yFromTop) const;
    // Mean colour over a rectangle, yFromTop inclusive-exclusive.
    Rgb mean(int x0, int y0, int x1, int y1) const;
    int width = 0, height = 0;

    WindowPixels pixels;
};

// Standard output written while the function runs.
template <typename Function>
std::string captureOutput(Function&& function) {
    testing::internal::CaptureStdout();
    function();
    return testing::internal::GetCapturedStdout();
}

struct ScreenPoint {
    double x = 0.0, yFromTop = 0.0;
};

// Where a world point lands in the window under the matrices the last frame left loaded.
ScreenPoint projectToWindow(float x, float y, float z);
