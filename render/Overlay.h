// What is drawn over the finished frame in window pixels: the frame rate, top left, and the
// music spectrum as a line graph along the bottom.
#pragma once

#include <string>

constexpr int SPECTRUM_LENGTH = 512;

// "fps: " and 1 / frameSeconds as the stream's default formatting spells it ("inf" at 0).
std::string fpsText(double frameSeconds);

// Saves the projection and loads window pixel coordinates with y = 0 at the top edge.
void beginOverlay(int windowWidth, int windowHeight);
void drawBitmapText(const char* text, float x, float y, float z);
void drawFpsText(double frameSeconds, int windowWidth, int windowHeight);
void drawSpectrumLine(const float* spectrum, int windowWidth, int windowHeight);
