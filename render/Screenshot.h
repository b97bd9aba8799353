// The window's pixels as a viewer sees them, and writing them out as PNG.
#pragma once

#include <GL/glew.h>

#include <filesystem>
#include <string>

#include "platform/ImageFiles.h"

// Rows from the top, 3 bytes per pixel; writePng writes them out.
using WindowPixels = RgbImage;

// One colour buffer of the current viewport, within the window. Under Mesa the back buffer keeps the frame after
// a swap, while the front may read black, so GL_BACK is the one to read.
WindowPixels readWindowPixels(GLenum buffer);
// Writes the back buffer as the first fuzzlets-NNNN.png, from 0001, not yet in folder. Returns
// the file's path, or an empty text when nothing could be written.
std::string writeNumberedScreenshot(const std::filesystem::path& folder);
