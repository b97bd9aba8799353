#include "app/Input.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cstdio>

#include "app/Scene.h"
#include "app/Window.h"
#include "platform/StopRequests.h"
#include "render/ShellSelection.h"

namespace {
const unsigned char KEY_ESCAPE = 27;
const unsigned char KEY_TAB = '\t';

// Movement keys in direction order: +right, +up, +back, -right, -up, -back.
const unsigned char MOVEMENT_KEYS[] = {'d', 'q', 's', 'a', 'e', 'w'};

int movementDirection(unsigned char key) {
    for (int direction = 0; direction < 6; ++direction)
        if (MOVEMENT_KEYS[direction] == key) return direction;
    return -1;
}

void toggleFullscreen() {
    if (scene->fullscreen) {
        returnToStartWindow();
        scene->fullscreen = false;
    } else {
        glutFullScreen();
        scene->fullscreen = true;
    }
}

void followBall(unsigned index) {
    scene->followIndex = index;
    scene->camera.followTarget = &scene->furBalls[index]->position;
}

// free -> ball 0 -> ... -> last ball -> free. With no balls there is nothing to follow.
void advanceFollowCycle() {
    Camera& camera = scene->camera;
    const size_t ballCount = scene->furBalls.size();
    if (ballCount == 0) return;
    if (camera.free) {
        camera.free = false;
        followBall(0);
    } else if (!camera.free && scene->followIndex + 1 < ballCount) {
        followBall(scene->followIndex + 1);
    } else {
        camera.setFree(true);
    }
}
// While the panel shows, the pointer is free to click it and mouse look is off; hidden again,
// the pointer goes back to the centre it is held at.
void toggleSettingsPanel() {
    scene->panel.toggle();
    if (scene->panel.shown()) {
        glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
    } else {
        glutSetCursor(GLUT_CURSOR_NONE);
        glutWarpPointer(scene->pointerCentreX, scene->pointerCentreY);
    }
}
}  // namespace

void keyboard(unsigned char key, int x, int y) {
    if (key == KEY_TAB) {
        toggleSettingsPanel();
        return;
    }
    if (scene->panel.takeKey(key, true, x, y)) return;
    const int direction = movementDirection(key);
    if (direction >= 0) {
        scene->camera.moving = true;
        scene->camera.moveDirection = direction;
        return;
    }
    switch (key) {
        case KEY_ESCAPE: quitAtOnce(); break;
        case 'f': toggleFullscreen(); break;
        case 'm': advanceFollowCycle(); break;
        case 'u': scene->settings.spectrumLine = !scene->settings.spectrumLine; break;
        case 'h': scene->showHelp = !scene->showHelp; break;
        case '1': scene->settings.shadowMapView = !scene->settings.shadowMapView; break;
        case '2': scene->settings.shellsDrawn = nextShellPreset(scene->settings.shellsDrawn); break;
        case '3': scene->settings.hairLighting = !scene->settings.hairLighting; break;
        case 'p': scene->paused = !scene->paused; break;
        case 'r': scene->reloadShaders(); break;
        default: break;
    }
}

void specialKey(int key, int x, int y) {
    if (scene->panel.takeSpecialKey(key, true, x, y) || key != GLUT_KEY_F12) return;
    ++scene->screenshotsRequested;
}

void specialKeyUp(int key, int x, int y) { scene->panel.takeSpecialKey(key, false, x, y); }

void keyboardUp(unsigned char key, int x, int y) {
    // Tab's release belongs to the toggle, not to a panel field.
    if (key != KEY_TAB && scene->panel.takeKey(key, false, x, y)) return;
    scene->camera.moving = false;
}

void mouseButton(int button, int state, int x, int y) { scene->panel.takeButton(button, state, x, y); }

void mouseDrag(int x, int y) { scene->panel.takePointer(x, y); }

void mouseWheel(int wheel, int direction, int x, int y) { scene->panel.takeWheel(wheel, direction, x, y); }

void passiveMotion(int x, int y) {
    if (scene->panel.takePointer(x, y)) return;
    const int dx = x - scene->pointerCentreX;
    const int dy = y - scene->pointerCentreY;
    // The warp below produces an event at the centre itself, which must not turn the camera.
    if (dx == 0 && dy == 0) return;
    scene->camera.mouseLook(dx, dy, scene->frameSeconds);
    glutWarpPointer(scene->pointerCentreX, scene->pointerCentreY);
}
