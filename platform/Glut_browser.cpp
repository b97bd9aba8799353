// GLUT in the page: Emscripten's GLUT, completed with the calls it lacks and held to what the
// program expects of a desktop window. Frames run on the browser's animation frames; the
// pointer is locked to the canvas for mouse look (a page cannot move it), and Escape, which
// the browser keeps for itself while the pointer is locked, lets it go; a finger drags to look.
// The window is the canvas: its drawing buffer follows the size the page gives it, and full
// screen is the browser's, the picture then filling the screen.
#include <GL/freeglut.h>
#include <emscripten.h>

#include "platform/GlContext.h"
#include "platform/GlutStart.h"

namespace {
// GLUT's own listeners are registered by glutInit; startGlut wraps them so that a held key does
// not repeat when the program asks so, and the pointer moves the camera only while it is locked
// (or shown, for the settings panel). A click on the canvas with the pointer hidden locks it.
EM_JS(void, wrapGlutInput, (), {
    GLUT.fzKeyRepeat = true;
    var canvas = Module['canvas'];
    var hidden = function() { return canvas.style.cursor == 'none'; };
    // Keys typed into the page's own fields (the lab's editor) are theirs, not the program's; their
    // releases still reach it, so that a key held before the field took the focus is let go.
    var typing = function(event) {
        return event.target instanceof Element && !!event.target.closest('input, textarea, [contenteditable]');
    };
    var keydown = function(event) {
        if (!typing(event) && !(event.repeat && !GLUT.fzKeyRepeat)) GLUT.onKeydown(event);
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

    // The page's buttons press keys through GLUT's own handlers, as the keyboard does.
    Module['pressKey'] = function(keyCode, down) {
        var event = {keyCode: keyCode, shiftKey: false, ctrlKey: false, altKey: false, metaKey: false,
                     preventDefault: function() {}};
        if (down) GLUT.onKeydown(event); else GLUT.onKeyup(event);
    };

    // Touch. With the pointer hidden a finger's drag looks around, as the locked pointer's moves
    // do (in canvas pixels, from where the program last put the pointer). With the settings panel
    // shown a finger is the mouse; its release waits for two frames, so that a tap shorter than a
    // frame still reaches the panel as a press. No touch turns into a click, which would lock
    // the pointer.
    ['touchstart', 'touchmove', 'touchend'].forEach(function(type) {
        window.removeEventListener(type, GLUT.touchHandler, true);
    });
    var last = null;
    var mouseEvent = function(type, touch) {
        return {type: type, target: canvas, button: 0, pageX: touch.pageX, pageY: touch.pageY,
                shiftKey: false, ctrlKey: false, altKey: false, metaKey: false, preventDefault: function() {}};
    };
    var onTouch = function(event) {
        event.preventDefault();
        var touch = event.changedTouches[0];
        if (event.type == 'touchstart') {
            last = {x: touch.pageX, y: touch.pageY};
            if (!hidden()) GLUT.onMouseButtonDown(mouseEvent('mousedown', touch));
        } else if (event.type == 'touchmove' && last) {
            if (!hidden()) return GLUT.onMousemove(mouseEvent('mousemove', touch));
            var scale = canvas.width / canvas.getBoundingClientRect().width;
            var dx = Math.round((touch.pageX - last.x) * scale), dy = Math.round((touch.pageY - last.y) * scale);
            if ((dx == 0 && dy == 0) || !GLUT.passiveMotionFunc) return;
            last = {x: touch.pageX, y: touch.pageY};
            getWasmTableEntry(GLUT.passiveMotionFunc)(Browser.mouseX + dx, Browser.mouseY + dy);
        } else if (event.type != 'touchmove') {
            last = null;
            if (hidden()) return;
            var up = mouseEvent('mouseup', touch);
            requestAnimationFrame(function() { requestAnimationFrame(function() { GLUT.onMouseButtonUp(up); }); });
        }
    };
    ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function(type) {
        canvas.addEventListener(type, onTouch, {passive: false});
    });

    // The drawing buffer follows the canvas's size on the page and the screen's pixel ratio, up to
    // a cap: every pixel costs fur fill. The program hears of it as a window resize.
    var MAX_PIXEL_RATIO = 2;
    var MAX_BUFFER_WIDTH = 1280;
    var fit = function() {
        var cssWidth = canvas.getBoundingClientRect().width;
        if (cssWidth == 0) return;
        var ratio = Math.min(window.devicePixelRatio || 1, MAX_PIXEL_RATIO);
        var width = Math.round(Math.min(cssWidth * ratio, MAX_BUFFER_WIDTH));
        var height = Math.round(width * 3 / 4);
        if (width == canvas.width && height == canvas.height) return;
        canvas.width = width;
        canvas.height = height;
        if (GLUT.reshapeFunc) getWasmTableEntry(GLUT.reshapeFunc)(width, height);
    };
    new ResizeObserver(fit).observe(canvas);
    window.addEventListener('resize', fit);  // a zoom changes the pixel ratio, not always the size

    // A lost context is given back only to a page that asks for it (preventDefault). Frames
    // wait meanwhile, so the world stands where it was; on restore every GL object is made again.
    canvas.addEventListener('webglcontextlost', function(event) {
        event.preventDefault();
        _fuzzletsContextLost();
    });
    // The names of the lost context name nothing now: Emscripten's GL forgets them, so that the
    // program's deleting them is the silent no-op GL makes of unknown names, not a WebGL error.
    canvas.addEventListener('webglcontextrestored', function() {
        [GL.buffers, GL.programs, GL.framebuffers, GL.renderbuffers, GL.textures, GL.shaders, GL.vaos,
         GL.queries, GL.samplers, GL.transformFeedbacks, GL.syncs].forEach(function(names) { names.fill(null); });
        _fuzzletsContextRestored();
    });
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

// Full screen is the picture's frame, not the canvas alone, so that the page's layout letterboxes
// it; the size then follows the element as it does on the page.
EM_JS(void, enterFullScreen, (), {
    var stage = Module['canvas'].parentElement;
    var request = stage.requestFullscreen || stage.webkitRequestFullscreen;
    if (request) request.call(stage);
});

EM_JS(void, leaveFullScreen, (), {
    var exit = document.exitFullscreen || document.webkitExitFullscreen;
    if (document.fullscreenElement || document.webkitFullscreenElement) exit.call(document);
});

void glutFullScreen() { enterFullScreen(); }
void glutLeaveFullScreen() { leaveFullScreen(); }
// The window's size is the page's to give: asking for one leaves full screen, and the page's
// layout decides the rest. A page has no window position.
void glutReshapeWindow(int, int) { leaveFullScreen(); }
void glutPositionWindow(int, int) {}

void glutMouseWheelFunc(void (*callback)(int, int, int, int)) { wheelCallback = callback; }

EMSCRIPTEN_KEEPALIVE void fuzzletsWheelTurned(int direction, int x, int y) {
    if (wheelCallback) wheelCallback(0, direction, x, y);
}

void glutSetKeyRepeat(int mode) { setKeyRepeat(mode != GLUT_KEY_REPEAT_OFF); }

void glutWarpPointer(int x, int y) { movePointerTo(x, y); }

EMSCRIPTEN_KEEPALIVE void fuzzletsContextLost() { emscripten_pause_main_loop(); }

EMSCRIPTEN_KEEPALIVE void fuzzletsContextRestored() {
    glContextRestored();
    emscripten_resume_main_loop();
}
}

void startGlut(int* argc, char** argv) {
    glutInit(argc, argv);
    wrapGlutInput();
}
