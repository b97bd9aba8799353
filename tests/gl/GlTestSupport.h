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
// Draws frames back to back. Window events stay queued unless asked for (resizes, full
// screen), so that pointer moves that other tests make on the shared display cannot turn this
// test's camera.
void runFrames(int count, bool withEvents = false);

struct Rgb {
    int r = 0, g = 0, b = 0;
    int brightness() const { return r + g + b; }
    bool isGrey() const { return r == g && g == b; }
    bool operator!=(Rgb other) const { return r != other.r || g != other.g || b != other.b; }
};

// Pixels, rows from the top, x0 and y0 inclusive, x1 and y1 exclusive.
struct Box {
    int x0, y0, x1, y1;
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// The window's back buffer, rows from the top: the last frame, or what was drawn since.
struct Picture {
    static Picture readBack();
    Rgb at(int x, int yFromTop) const;
    // Mean colour over a rectangle, yFromTop inclusive-exclusive.
    Rgb mean(int x0, int y0, int x1, int y1) const;
    // Pixels in the box for which wanted(x, yFromTop) holds.
    template <typename Predicate>
    int count(Box box, Predicate&& wanted) const {
        int found = 0;
        for (int y = box.y0; y < box.y1; ++y)
            for (int x = box.x0; x < box.x1; ++x) found += wanted(x, y) ? 1 : 0;
        return found;
    }
    Box whole() const { return {0, 0, width, height}; }
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
