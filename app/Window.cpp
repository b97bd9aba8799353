#include "app/Window.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cstdio>

#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/Scene.h"

Scene* scene = nullptr;

namespace {
bool startWindowPending = false;

void registerCallbacks() {
    glutDisplayFunc(display);
    glutIdleFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutKeyboardUpFunc(keyboardUp);
    glutSpecialFunc(specialKey);
    glutSetKeyRepeat(GLUT_KEY_REPEAT_OFF);
    glutPassiveMotionFunc(passiveMotion);
    glutSetCursor(GLUT_CURSOR_NONE);
}
}  // namespace

Scene* startFuzzlets(int* argc, char** argv, AudioOutput audioOutput) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutInitWindowPosition(WINDOW_X, WINDOW_Y);
    glutCreateWindow("Fuzzlets");
    glewInit();
    if (glewIsSupported("GL_EXT_framebuffer_object")) {
        std::printf("yeah we got frambuffer objects!\n");
        std::fflush(stdout);
    }
    registerCallbacks();
    scene = Scene::instance();
    scene->audioOutput = audioOutput;
    reshape(WINDOW_WIDTH, WINDOW_HEIGHT);
    scene->init();
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

    if (startWindowPending) {
        startWindowPending = false;
        glutReshapeWindow(WINDOW_WIDTH, WINDOW_HEIGHT);
        glutPositionWindow(WINDOW_X, WINDOW_Y);
    }
}

void ignoreLiveInput() {
    glutKeyboardFunc(nullptr);
    glutKeyboardUpFunc(nullptr);
    glutSpecialFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
}

void returnToStartWindow() {
    // freeglut puts back the size from before full screen after any size asked for while still
    // full screen, so the start size is asked for once that restore has arrived here.
    glutLeaveFullScreen();
    startWindowPending = true;
}
