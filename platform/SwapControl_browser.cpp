#include "platform/SwapControl.h"

// The browser paces frames to the display itself (animation frames): nothing to switch.
SwapControl::SwapControl() : extension("paced by the browser") {}
