// What is drawn over the finished frame in window pixels: the frame rate, top left, the
// music spectrum as a line graph along the bottom, and on request a help panel of keys.
#pragma once

#include <string>
#include <vector>

constexpr int SPECTRUM_LENGTH = 512;

// "fps: " and 1 / frameSeconds as the stream's default formatting spells it ("inf" at 0).
std::string fpsText(double frameSeconds);

// Saves the projection and loads window pixel coordinates with y = 0 at the top edge; the
// caller then pushes the modelview, and endOverlay pops both.
void beginOverlay(int windowWidth, int windowHeight);
void endOverlay();
void drawBitmapText(const char* text, float x, float y, float z);
void drawFpsText(double frameSeconds, int windowWidth, int windowHeight);
void drawSpectrumLine(const float* spectrum, int windowWidth, int windowHeight);
// A translucent dark rectangle a little larger than the given one, in overlay pixels, so
// that white text drawn on it reads over the wallpaper. Between beginOverlay and endOverlay.
void drawTextBackdrop(float left, float top, float right, float bottom);
// A failed shader reload's messages in red below the frame rate, on a backdrop, one line each.
void drawShaderErrors(const std::string& text, int windowWidth, int windowHeight);
// White lines below the frame rate, on a backdrop. A line of the key table ("F12      save ...") is split at its
// padding into a column of keys and a column of what they do.
void drawHelpPanel(const std::vector<std::string>& lines, int windowWidth, int windowHeight);
