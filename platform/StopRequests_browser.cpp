#include "platform/StopRequests.h"

#include <emscripten.h>

// No signal reaches a page: its tab ends it.
void catchStopRequests() {}

bool stopRequested() { return false; }

int stopExitStatus() { return 0; }

namespace {
EM_JS(void, releasePointer, (), {
    if (document.pointerLockElement) document.exitPointerLock();
});
}  // namespace

void quitAtOnce() { releasePointer(); }
