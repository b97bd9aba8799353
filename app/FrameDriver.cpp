#include "app/FrameDriver.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cstdio>
#include <functional>

#include "app/FrameClock.h"
#include "app/KeyTable.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "render/Overlay.h"
#include "render/Profiler.h"
#include "render/Room.h"
#include "render/Screenshot.h"
#include "render/ShadowMap.h"
#include "render/ShadowMapView.h"
#include "render/TextureUnits.h"

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
                                &scene->roomQuad,
                                scene->texMatrix,
                                scene->depthTexStep,
                                scene->settings.furStyle(),
                                scene->settings.softShadows};
    drawRoom(scene->programs, room);
}

// The key table, then what the keys have switched.
std::vector<std::string> helpLines() {
    std::vector<std::string> lines(KEY_TABLE, KEY_TABLE + KEY_TABLE_LINES);
    lines.push_back("");
    lines.push_back("shells drawn: " + describeShellSelection(scene->settings.shellsDrawn, scene->furShells.size()));
    lines.push_back(scene->settings.hairLighting ? "fur look: lit along each hair" : "fur look: plain");
    if (scene->paused) lines.push_back("paused");
    return lines;
}

// The buttons act on the world here, so the panel itself changes nothing but the settings.
void carryOut(const PanelRequests& requests) {
    if (requests.dropBalls) scene->physics->resetBodies();
    if (requests.leapNow)
        for (const auto& ball : scene->furBalls) ball->leap(scene->settings.leapStrength);
}

void drawSettingsPanel() {
    profileMark("settings panel");
    const std::string vsyncState = scene->swapControl->available()
                                       ? std::string(scene->settings.vsync ? "on" : "off") + " (" +
                                             scene->swapControl->description() + ")"
                                       : scene->swapControl->description();
    const Profiler* passTimes = installedProfiler() ? installedProfiler() : &scene->lastPassTimes;
    carryOut(scene->panel.draw(scene->settings, scene->frameTimes, passTimes, vsyncState,
                               scene->windowWidth, scene->windowHeight));
}

// The frame as drawn, before the swap: the back buffer's contents are undefined after it.
void saveRequestedScreenshots() {
    for (; scene->screenshotsRequested > 0; --scene->screenshotsRequested) {
        const std::string path = writeNumberedScreenshot(scene->screenshotFolder);
        if (path.empty())
            std::printf("screenshot not written: cannot write into %s\n", scene->screenshotFolder.string().c_str());
        else
            std::printf("screenshot written to %s\n", path.c_str());
        std::fflush(stdout);
    }
}

std::function<void()> frameReader;
// Kept across frames: in a page a frame's time runs from one frame's start to the next.
FrameClock frameClock;

void drawOverlayPass() {
    const int width = scene->windowWidth, height = scene->windowHeight;
    if (scene->settings.shadowMapView) drawShadowMapView(scene->shadowDepthTexture, width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    drawFpsText(scene->frameSeconds, width, height);
    if (scene->settings.spectrumLine) drawSpectrumLine(scene->spectrum, width, height);
    if (scene->showHelp) drawHelpPanel(helpLines(), width, height);
    if (!scene->shaderErrors.empty()) drawShaderErrors(scene->shaderErrors, width, height);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    if (scene->panel.shown()) drawSettingsPanel();
}

}  // namespace

// Translucent shells blend over what is behind them, so the farthest ball goes first.
void drawFurBalls() {
    const std::vector<FurBall*> order = sortFarthestFirst(scene->furBalls, scene->camera.eye);
    ProgramTable& programs = scene->programs;
    programs.use("fur");
    programs.setInt("fur", "shadowMap", FUR_SHADOW_MAP_UNIT);
    programs.setInt("fur", "tex", FUR_SHELL_UNIT);
    programs.setMatrix("fur", "texMatrix", scene->texMatrix);
    glActiveTexture(glTextureUnit(FUR_SHADOW_MAP_UNIT));
    glBindTexture(GL_TEXTURE_2D, scene->shadowDepthTexture);
    glActiveTexture(glTextureUnit(FUR_SHELL_UNIT));
    const FurStyle style = scene->settings.furStyle();
    for (FurBall* ball : order) {
        // A paused ball keeps its smoothed velocity, so its fur keeps its bend.
        if (!scene->paused) ball->updateMotion(scene->worldSeconds, scene->settings.leapRule());
        ball->drawFur(programs, scene->furShells, scene->shellSphere, style, scene->camera.inverseViewMatrix);
    }
}

void renderShadowMap() {
    profileMark("shadow");
    beginShadowPass(scene->shadowTarget(), scene->light, scene->programs);
    const FurStyle style = scene->settings.furStyle();
    for (const auto& ball : scene->furBalls) ball->drawDepth(scene->programs, scene->furShells, scene->shellSphere, style, scene->spectrum);
    endShadowPass();
}

void advanceWorld() {
    profileMark("world");
    fetchSpectrum();
    if (scene->paused) return;
    scene->physics->stepFrame();
    scene->light.update(scene->frameSeconds * scene->settings.lightSpeed);
}

void drawView() {
    profileMark("camera");
    // The shadow pass clears with its own colour.
    glClearColor(CLEAR_COLOUR[0], CLEAR_COLOUR[1], CLEAR_COLOUR[2], CLEAR_COLOUR[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    fetchSpectrum();

    scene->camera.updateAndApply(scene->frameSeconds, scene->aspect, scene->roomScale);
    placeLight();
    scene->texMatrix = applyShadowLookup(scene->shadowTarget(), scene->light.lightMatrix,
                                         scene->camera.inverseViewMatrix);
    drawRoomPass();
    profileMark("fur balls");
    drawFurBalls();
    profileMark("overlay");
    drawOverlayPass();
}

void readEachFrame(std::function<void()> reader) { frameReader = std::move(reader); }

void display() {
    frameClock.start();
    // While the panel shows, it times the passes (the previous frame's, which are complete),
    // unless the benchmark already timing the frame has installed a profiler.
    Profiler passTimes;
    const bool timePasses = scene->panel.shown() && !installedProfiler();
    if (timePasses) installProfiler(&passTimes);
    scene->applyChangedSettings();
    advanceWorld();
    renderShadowMap();
    drawView();
    saveRequestedScreenshots();
    if (frameReader) frameReader();
    profileMark("swap");
    glFlush();
    glutSwapBuffers();
    ++scene->framesSwapped;
    profileMark(nullptr);
    if (timePasses) {
        installProfiler(nullptr);
        scene->lastPassTimes = std::move(passTimes);
    }
    frameClock.stop(scene->frameSeconds, scene->totalSeconds);
    scene->frameTimes.record(scene->frameSeconds);
    if (!scene->paused) scene->worldSeconds += scene->frameSeconds;
}
