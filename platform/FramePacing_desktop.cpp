#include "platform/FramePacing.h"

// A desktop window draws until it closes; a minimised one still swaps.
FrameTimeMeasure frameTimeMeasure() { return FrameTimeMeasure::OWN_WORK; }

bool framesWereSuspended() { return false; }
