// GLUT in the page: Emscripten's GLUT, completed with the calls it lacks and held to what the
// program expects of a desktop window. Frames run on the browser's animation frames; the
// pointer is locked to the canvas for mouse look (a page cannot move it), and Escape, which
// the browser keeps for itself while the pointer is locked, lets it go; full screen is the
// browser's, the canvas then filling the screen.
#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

namespace {
// GLUT's own listeners were registered by glutInit; they are wrapped so that a held key does
// not repeat when the program asks so, and the pointer moves the camera only while it is locked
// (or shown, for the settings panel). A click on the canvas with the pointer hidden locks it.
EM_JS(void, wrapGlutInput, (), {
    if (GLUT.fzWrapped) return;
    GLUT.fzWrapped = true;
    GLUT.fzKeyRepeat = true;
    var canvas = Module['canvas'];
    var hidden = function() { return canvas.style.cursor == 'none'; };
    var keydown = function(event) {
        if (!(event.repeat && !GLUT.fzKeyRepeat)) GLUT.onKeydown(event);
    };
    var mousemove = function(event) {
        if (Browser.pointerLock || !hidden()) GLUT.onMousemove(event);
    };
    window.removeEventListener('keydown', GLUT.onKeydown, true);
    window.removeEventListener('mousemove', GLUT.onMousemove, true);
    window.addEventListener('keydown', keydown, true);
    window.addEventListener('mousemove', mousemove, true);
    // GLUT hands wheel turns to the mouse callback as buttons 3 and 4, which the settings panel
    // does not take: they go to the wheel callback instead, as freeglut's do.
    window.removeEventListener('mousewheel', GLUT.onMouseWheel, true);
    window.removeEventListener('DOMMouseScroll', GLUT.onMouseWheel, true);
    canvas.addEventListener('wheel', function(event) {
        Browser.calculateMouseEvent(event);
        var delta = -Browser.getMouseWheelDelta(event);
        if (delta == 0) return;
        event.preventDefault();
        _fuzzletsWheelTurned(delta > 0 ? 1 : -1, Browser.mouseX, Browser.mouseY);
    }, {passive: false});
    canvas.addEventListener('click', function() {
        if (hidden() && !Browser.pointerLock && canvas.requestPointerLock) canvas.requestPointerLock();
    });
    // The pointer shown again (the settings panel) is free to move, as on the desktop.
    new MutationObserver(function() {
        if (!hidden() && document.pointerLockElement) document.exitPointerLock();
    }).observe(canvas, {attributes: true, attributeFilter: ['style']});
});

void (*wheelCallback)(int wheel, int direction, int x, int y) = nullptr;

EM_JS(void, setKeyRepeat, (int on), { GLUT.fzKeyRepeat = !!on; });

// Where the next relative move is counted from while the pointer is locked.
EM_JS(void, movePointerTo, (int x, int y), {
    Browser.mouseX = x;
    Browser.mouseY = y;
});
}  // namespace

extern "C" {
// A page's loop runs until its tab closes: there is nothing to return to, nothing to exit.
void glutLeaveMainLoop() {}
void glutExit() {}
void glutSetOption(GLenum, int) {}

// Instead of GLUT's idle timer: one frame per animation frame, as the browser paces them.
void glutIdleFunc(void (*callback)()) {
    emscripten_cancel_main_loop();
    if (callback) emscripten_set_main_loop(callback, 0, false);
}

void glutLeaveFullScreen() { emscripten_exit_fullscreen(); }

void glutMouseWheelFunc(void (*callback)(int, int, int, int)) { wheelCallback = callback; }

EMSCRIPTEN_KEEPALIVE void fuzzletsWheelTurned(int direction, int x, int y) {
    if (wheelCallback) wheelCallback(0, direction, x, y);
}

void glutSetKeyRepeat(int mode) {
    wrapGlutInput();
    setKeyRepeat(mode != GLUT_KEY_REPEAT_OFF);
}

void glutWarpPointer(int x, int y) { movePointerTo(x, y); }
}
