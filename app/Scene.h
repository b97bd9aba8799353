// The one object that owns the run-time state: timing, fur balls, fur shells, camera, light,
// shader programs, the shadow target, the textures, the music and the window facts.
#pragma once

#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

#include "app/DataFolders.h"
#include "app/Settings.h"
#include "app/SettingsPanel.h"
#include "app/ShaderWatcher.h"
#include "audio/MusicPlayer.h"
#include "camera/Camera.h"
#include "camera/Light.h"
#include "camera/MathTypes.h"
#include "furballs/FurBall.h"
#include "physics/PhysicsWorld.h"
#include "platform/SwapControl.h"
#include "render/Room.h"
#include "render/ShaderPrograms.h"
#include "render/ShadowMap.h"
#include "render/Textures.h"

// Every frame is cleared to a very dark green.
constexpr GLfloat CLEAR_COLOUR[4] = {0.0f, 0.1f, 0.0f, 1.0f};

class Scene {
public:
    static Scene* instance();
    // Frees the singleton; the main loop returning is the only way the program gets here.
    static void destroyInstance();

    void init();
    GLuint program(const std::string& name) { return programs.program(name); }
    void loadShaderProgram(const std::string& directory, const std::string& name);
    // Makes every program again from its files; a program that fails keeps the last one that
    // worked, and its messages stay in shaderErrors until a reload succeeds.
    void reloadShaders();
    // Deletes the shell and image textures, if any, and makes them at the density last applied.
    void loadTextures();
    ShadowTarget shadowTarget() const { return {shadowFramebuffer, shadowDepthTexture, shadowMapSize}; }
    // Remakes what a changed setting is built into (shadow target, shell textures) and hands
    // the physics, the music and the swap their new values. Cheap when nothing changed.
    void applyChangedSettings();
    // What a lost context given back empty needs: every GL object the scene and its panel made,
    // deleted and made again as last built, and the GL state start-up set. Start-up registers it
    // with whenGlContextRestored; the world, settings, camera, views and music carry on.
    void remakeGlObjects();

    double frameSeconds = 0.0;
    double totalSeconds = 0.0;
    float roomScale = ROOM_SIZE;
    float aspect = 1.0f;
    std::vector<std::unique_ptr<FurBall>> furBalls;
    ShellList furShells;
    // Every fur shell is this sphere and every face of the room this quad, each made once.
    Mesh shellSphere;
    Mesh roomQuad;
    PhysicsWorld* physics = nullptr;
    Camera camera;
    int pointerCentreX = 0, pointerCentreY = 0;
    int windowWidth = 0, windowHeight = 0;
    AudioResult audioResult = AUDIO_OK;
    AudioSystem* audioSystem = nullptr;
    // The capture tool advances the mix itself, one frame's worth at a time.
    AudioOutput audioOutput = AUDIO_OUTPUT_DEVICE;
    MusicPlayer* music = nullptr;
    ProgramTable programs;
    Light light;
    GLuint shadowFramebuffer = 0;
    GLuint shadowDepthTexture = 0;
    int shadowMapSize = SHADOW_MAP_SIZE;
    float depthTexStep = 0.0f;
    ImageTexture normalMap1Texture;
    ImageTexture normalMap2Texture;
    ImageTexture floorTexture;
    Matrix4 texMatrix;
    const float* spectrum = nullptr;
    bool fullscreen = false;
    unsigned followIndex = 0;
    // The views for looking inside, both off at start: help panel, pause. The shadow-map view,
    // the shells drawn and the spectrum line are settings.
    bool showHelp = false;
    bool paused = false;
    // What the panel and `--set` edit, and what the resources were last built with.
    Settings settings;
    Settings appliedSettings;
    SettingsPanel panel;
    FrameTimeHistory frameTimes;
    Profiler lastPassTimes;  // the passes of the last frame drawn with the panel shown
    // Made once the window's context exists.
    std::unique_ptr<SwapControl> swapControl;
    // totalSeconds without the pauses: the leap timer runs on it, so a pause does not count as rest.
    double worldSeconds = 0.0;
    // Where F12 writes its pictures, and how many presses wait for one: the frame driver saves
    // the next frame once it is drawn, before the swap leaves the back buffer undefined.
    std::filesystem::path screenshotFolder = userDirectory();
    int screenshotsRequested = 0;
    // Frames shown so far: the frame driver counts each swap.
    unsigned long framesSwapped = 0;
    // The messages of the programs' last failed making (a reload, or a restored context's
    // remake), shown over the frame; empty once they are all made.
    std::string shaderErrors;
    // Looks at the shader files from before start-up loads them, so no edit goes unseen.
    ShaderWatcher shaderWatcher{SHADER_DIRECTORY};

    ~Scene();

private:
    Scene() = default;
    void setFixedGlState();
    void setLightAndMaterial();
    void makeShadowTarget(int size);
    void makeMeshes();
    void showShaderFailures(const std::string& failures);
};
