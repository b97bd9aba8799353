#include "app/FrameDriver.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/FrameClock.h"
#include "app/KeyTable.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "render/Overlay.h"
#include "render/Profiler.h"
#include "render/Room.h"
#include "render/ShadowMap.h"
#include "render/ShadowMapView.h"

namespace {

std::function<void()> beforeSwap;

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
                                scene->depthTexStep,
                                scene->shellSelection};
    drawRoom(scene->programs, room);
}

// The key table, then what the keys have switched.
std::vector<std::string> helpLines() {
    std::vector<std::string> lines(KEY_TABLE, KEY_TABLE + KEY_TABLE_LINES);
    lines.push_back("");
    lines.push_back("shells drawn: " + describeShellSelection(scene->shellSelection, scene->furShells.size()));
    if (scene->paused) lines.push_back("paused");
    return lines;
}

void drawOverlayPass() {
    const int width = scene->windowWidth, height = scene->windowHeight;
    if (scene->showShadowMap) drawShadowMapView(scene->shadowDepthTexture, width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    drawFpsText(scene->frameSeconds, width, height);
    if (scene->showSpectrum) drawSpectrumLine(scene->spectrum, width, height);
    if (scene->showHelp) drawHelpPanel(helpLines(), width, height);
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
    for (FurBall* ball : order) {
        // A paused ball keeps its smoothed velocity, so its fur keeps its bend.
        if (!scene->paused) ball->updateMotion(scene->worldSeconds);
        ball->drawFur(programs, scene->furShells, scene->shellSelection, scene->camera.inverseViewMatrix);
    }
}

void renderShadowMap() {
    profileMark("shadow");
    beginShadowPass(scene->shadowTarget(), scene->light, scene->programs);
    for (const auto& ball : scene->furBalls)
        ball->drawDepth(scene->programs, scene->furShells, scene->shellSelection, scene->spectrum);
    endShadowPass();
}

void advanceWorld() {
    profileMark("world");
    fetchSpectrum();
    if (scene->paused) return;
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

void setBeforeSwap(std::function<void()> hook) { beforeSwap = std::move(hook); }

void display() {
    FrameClock clock;
    clock.start();
    advanceWorld();
    renderShadowMap();
    drawView();
    if (beforeSwap) beforeSwap();
    profileMark("swap");
    glFlush();
    glutSwapBuffers();
    profileMark(nullptr);
    clock.stop(scene->frameSeconds, scene->totalSeconds);
    if (!scene->paused) scene->worldSeconds += scene->frameSeconds;
}
