#include "app/FrameDriver.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/FrameClock.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "render/Overlay.h"
#include "render/Profiler.h"
#include "render/Room.h"
#include "render/ShadowMap.h"

namespace {

void fetchSpectrum() {
    requestSpectrum(*scene->music, spectrumBuffer());
    scene->spectrum = spectrumBuffer();
}

void placeLight() {
    const Vector3& p = scene->light.position;
    const GLfloat direction[4] = {p.x, p.y, p.z, 0.0f};  // w = 0: a directional light
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
}

void drawRoomPass() {
    const RoomResources room = {scene->roomScale,
                                scene->normalMap1Texture.texture,
                                scene->normalMap2Texture.texture,
                                scene->floorTexture.texture,
                                &scene->furShells,
                                scene->texMatrix,
                                scene->depthTexStep};
    drawRoom(scene->programs, room);
}

void drawOverlayPass() {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    drawFpsText(scene->frameSeconds, scene->windowWidth, scene->windowHeight);
    if (scene->showSpectrum) drawSpectrumLine(scene->spectrum, scene->windowWidth, scene->windowHeight);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

}  // namespace

// Translucent shells blend over what is behind them, so the farthest ball goes first.
void drawFurBalls() {
    const std::vector<FurBall*> order = sortFarthestFirst(scene->furBalls, scene->camera.eye);
    ProgramTable& programs = scene->programs;
    programs.use("fur");
    programs.setInt("fur", "shadowMap", 1);
    programs.setInt("fur", "tex", 0);
    programs.setMatrix("fur", "texMatrix", scene->texMatrix);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, scene->shadowDepthTexture);
    glActiveTexture(GL_TEXTURE0);
    for (FurBall* ball : order)
        ball->drawFur(programs, scene->furShells, scene->camera.inverseViewMatrix, scene->totalSeconds);
}

void renderShadowMap() {
    profileMark("shadow");
    beginShadowPass(scene->shadowTarget(), scene->light, scene->programs);
    for (const auto& ball : scene->furBalls) ball->drawDepth(scene->programs, scene->furShells, scene->spectrum);
    endShadowPass();
}

void advanceWorld() {
    profileMark("world");
    fetchSpectrum();
    scene->physics->stepFrame();
    scene->light.update(scene->frameSeconds);
}

void drawView() {
    profileMark("camera");
    // The shadow pass clears with its own colour.
    glClearColor(CLEAR_COLOUR[0], CLEAR_COLOUR[1], CLEAR_COLOUR[2], CLEAR_COLOUR[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    fetchSpectrum();

    scene->camera.updateAndApply(scene->frameSeconds, scene->aspect);
    placeLight();
    scene->texMatrix = applyShadowLookup(scene->shadowTarget(), scene->light.lightMatrix,
                                         scene->camera.inverseViewMatrix);
    drawRoomPass();
    profileMark("fur balls");
    drawFurBalls();
    profileMark("overlay");
    drawOverlayPass();
}

void display() {
    FrameClock clock;
    clock.start();
    advanceWorld();
    renderShadowMap();
    drawView();
    profileMark("swap");
    glFlush();
    glutSwapBuffers();
    profileMark(nullptr);
    clock.stop(scene->frameSeconds, scene->totalSeconds);
}
