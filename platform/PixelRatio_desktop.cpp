#include "platform/PixelRatio.h"

float windowPixelsPerPoint() { return 1.0f; }
