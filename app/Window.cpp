#include "app/Window.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/DataFolders.h"
#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "platform/Console.h"
#include "platform/GlutStart.h"
#include "platform/StopRequests.h"
#include "render/DriverRequirements.h"

Scene* scene = nullptr;

namespace {
// Leaving full screen, GLUT puts back the size from before it (and, without a window manager,
// not the position), and a window manager may do so a moment later than asked. So the start
// window is asked for on a short timer, again and again, until it has stood for a few checks:
// whichever restore comes last, ours follows it. Then the timer stops and nothing stays armed.
constexpr unsigned START_WINDOW_CHECK_MILLISECONDS = 100;
constexpr int START_WINDOW_STEADY_CHECKS = 2;
constexpr int START_WINDOW_MAX_CHECKS = 30;

int startWindowChecks = 0;  // checks made in the running return; 0 when none runs
int startWindowSteadyChecks = 0;

bool windowHasStartSize() {
    return glutGet(GLUT_WINDOW_WIDTH) == WINDOW_WIDTH && glutGet(GLUT_WINDOW_HEIGHT) == WINDOW_HEIGHT;
}

void checkStartWindow(int) {
    startWindowSteadyChecks = windowHasStartSize() ? startWindowSteadyChecks + 1 : 0;
    const bool done = scene->fullscreen || startWindowSteadyChecks >= START_WINDOW_STEADY_CHECKS ||
                      ++startWindowChecks > START_WINDOW_MAX_CHECKS;
    if (done) {
        startWindowChecks = 0;
        return;
    }
    glutReshapeWindow(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutPositionWindow(WINDOW_X, WINDOW_Y);
    glutTimerFunc(START_WINDOW_CHECK_MILLISECONDS, checkStartWindow, 0);
}

// Before anything calls into the driver: one that lacks what the demo needs is named, and the
// program ends instead of crashing on a missing entry point or drawing nothing.
void refuseUnfitDriver() {
    const std::string refusal = driverRefusal(readDriverFacts());
    if (refusal.empty()) {
        useCoreFramebufferCallsWhereNeeded();
        return;
    }
    glutExit();  // the empty window goes before the message shows
    reportStartFailure(refusal);
    std::exit(DRIVER_LACKS_STATUS);
}

void registerCallbacks() {
    glutDisplayFunc(display);
    glutIdleFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutKeyboardUpFunc(keyboardUp);
    glutSpecialFunc(specialKey);
    glutSpecialUpFunc(specialKeyUp);
    glutSetKeyRepeat(GLUT_KEY_REPEAT_OFF);
    glutPassiveMotionFunc(passiveMotion);
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseDrag);
    glutMouseWheelFunc(mouseWheel);
    glutSetCursor(GLUT_CURSOR_NONE);
}
}  // namespace

Scene* startFuzzlets(int* argc, char** argv, AudioOutput audioOutput, const Settings& settings) {
    catchStopRequests();
    enterDataFolder();
    startGlut(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutInitWindowPosition(WINDOW_X, WINDOW_Y);
    glutCreateWindow("Fuzzlets");
    glewInit();
    refuseUnfitDriver();
    // The check above let only drivers with framebuffer objects through. (The line's spelling is
    // kept as it always was: scripts look for it.)
    std::printf("yeah we got frambuffer objects!\n");
    std::fflush(stdout);
    registerCallbacks();
    scene = Scene::instance();
    scene->audioOutput = audioOutput;
    reshape(WINDOW_WIDTH, WINDOW_HEIGHT);
    scene->init();
    // Start-up builds everything at the start values; the first frame builds in the rest.
    scene->settings = settings;
    return scene;
}

void reshape(int width, int height) {
    if (height == 0) height = 1;
    scene->windowWidth = width;
    scene->windowHeight = height;
    glViewport(0, 0, width, height);
    scene->aspect = float(width) / float(height);
    loadPerspectiveProjection(scene->aspect);
    // The centre comes from the window as GLUT reports it, not from the arguments.
    scene->pointerCentreX = glutGet(GLUT_WINDOW_WIDTH) / 2;
    scene->pointerCentreY = glutGet(GLUT_WINDOW_HEIGHT) / 2;
    glutWarpPointer(scene->pointerCentreX, scene->pointerCentreY);
}

void ignoreLiveInput() {
    glutKeyboardFunc(nullptr);
    glutKeyboardUpFunc(nullptr);
    glutSpecialFunc(nullptr);
    glutSpecialUpFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutMouseFunc(nullptr);
    glutMotionFunc(nullptr);
    glutMouseWheelFunc(nullptr);
}

void drawOnlyWhenCalled() {
    // GLUT insists on a display callback; the last frame stays in the buffers as it is.
    glutDisplayFunc([] {});
}

void returnToStartWindow() {
    glutLeaveFullScreen();
    startWindowSteadyChecks = 0;
    if (startWindowChecks > 0) return;  // a return is under way; it carries on
    startWindowChecks = 1;
    glutTimerFunc(START_WINDOW_CHECK_MILLISECONDS, checkStartWindow, 0);
}
