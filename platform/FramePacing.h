// Who paces the frames, and so what a frame's time is.
#pragma once

// On the desktop the swap waits until the frame can be shown, so a frame's own work, swap
// included, is its time. In a page the swap returns at once and the browser shows the frame
// after the callback, so there a frame's time is the interval between the starts of successive
// animation frames.
enum class FrameTimeMeasure { OWN_WORK, START_TO_START };
FrameTimeMeasure frameTimeMeasure();

// True once after the frames stopped on purpose (a hidden page, a lost GL context): the interval
// that spans the stop was no frame's time.
bool framesWereSuspended();
