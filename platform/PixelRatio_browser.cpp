#include "platform/PixelRatio.h"

#include <emscripten.h>

namespace {
EM_JS(float, canvasPixelsPerCssPixel, (), {
    var canvas = Module['canvas'];
    var cssWidth = canvas.getBoundingClientRect().width;
    return cssWidth > 0 ? canvas.width / cssWidth : 1;
});
}  // namespace

float windowPixelsPerPoint() { return canvasPixelsPerCssPixel(); }
