#include "platform/FramePacing.h"

#include <emscripten.h>

namespace {
// A hidden tab gets no animation frames, and a lost context draws none: the page notes either,
// so that the frame after it does not count the pause as its own time.
EM_JS(int, takeSuspension, (), {
    if (!Module['fzWatchingSuspensions']) {
        Module['fzWatchingSuspensions'] = true;
        var suspend = function() { Module['fzFramesSuspended'] = true; };
        document.addEventListener('visibilitychange', function() { if (document.hidden) suspend(); });
        Module['canvas'].addEventListener('webglcontextlost', suspend);
    }
    var suspended = !!Module['fzFramesSuspended'];
    Module['fzFramesSuspended'] = false;
    return suspended;
});
}  // namespace

FrameTimeMeasure frameTimeMeasure() { return FrameTimeMeasure::START_TO_START; }

bool framesWereSuspended() { return takeSuspension() != 0; }
