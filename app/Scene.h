// The one object that owns the run-time state: timing, fur balls, fur shells, camera, light,
// shader programs, the shadow target, the textures, the music and the window facts.
#pragma once

#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

#include "app/DataFolders.h"
#include "audio/MusicPlayer.h"
#include "camera/Camera.h"
#include "camera/Light.h"
#include "camera/MathTypes.h"
#include "furballs/FurBall.h"
#include "physics/PhysicsWorld.h"
#include "render/ShaderPrograms.h"
#include "render/ShadowMap.h"
#include "render/ShellSelection.h"
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
    void loadTextures();
    ShadowTarget shadowTarget() const { return {shadowFramebuffer, shadowDepthTexture}; }

    double frameSeconds = 0.0;
    double totalSeconds = 0.0;
    float roomScale = 10.0f;
    float aspect = 1.0f;
    std::vector<std::unique_ptr<FurBall>> furBalls;
    ShellList furShells;
    PhysicsWorld* physics = nullptr;
    Camera camera;
    int pointerCentreX = 0, pointerCentreY = 0;
    int windowWidth = 0, windowHeight = 0;
    AudioResult audioResult = AUDIO_OK;
    AudioSystem* audioSystem = nullptr;
    // The capture tool advances the mix itself, one frame's worth at a time.
    AudioOutput audioOutput = AUDIO_OUTPUT_DEVICE;
    MusicPlayer* music = nullptr;
    bool showSpectrum = false;
    ProgramTable programs;
    Light light;
    GLuint shadowFramebuffer = 0;
    GLuint shadowDepthTexture = 0;
    float depthTexStep = 0.0f;
    ImageTexture normalMap1Texture;
    ImageTexture normalMap2Texture;
    ImageTexture floorTexture;
    Matrix4 texMatrix;
    const float* spectrum = nullptr;
    bool fullscreen = false;
    unsigned followIndex = 0;
    // The views for looking inside, all off at start: help panel, shadow map, fewer shells, pause.
    bool showHelp = false;
    bool showShadowMap = false;
    ShellSelection shellSelection = ShellSelection::ALL;
    bool paused = false;
    // totalSeconds without the pauses: the leap timer runs on it, so a pause does not count as rest.
    double worldSeconds = 0.0;
    // Where F12 writes its pictures.
    std::string screenshotFolder = userDirectory();

    ~Scene();

private:
    Scene() = default;
    void setFixedGlState();
    void setLightAndMaterial();
};
