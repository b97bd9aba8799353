#include "app/Scene.h"

#include <cstdio>

#include "render/Profiler.h"

namespace {
Scene* theScene = nullptr;

// Light 0 and the front material share these colours.
const GLfloat AMBIENT[4] = {0.2f, 0.2f, 0.2f, 1.0f};
const GLfloat DIFFUSE[4] = {0.6f, 0.6f, 0.6f, 1.0f};
const GLfloat SPECULAR[4] = {0.5f, 0.5f, 0.5f, 1.0f};
const GLfloat INITIAL_LIGHT_DIRECTION[4] = {1.5f, 1.5f, 1.5f, 0.0f};
const GLint SHININESS = 10;
}  // namespace

Scene* Scene::instance() {
    if (!theScene) theScene = new Scene();
    return theScene;
}

void Scene::destroyInstance() {
    delete theScene;
    theScene = nullptr;
}

void Scene::init() {
    fullscreen = false;
    settings.spectrumLine = false;
    profileMark("music");
    audioResult = startAudio(audioSystem, audioOutput);
    music = createMusic(audioSystem, MUSIC_PATH);
    profileMark("shaders");
    setFixedGlState();
    for (const char* name : SHADER_PROGRAM_NAMES) loadShaderProgram(SHADER_DIRECTORY, name);
    setLightAndMaterial();
    loadTextures();
    glEnable(GL_LIGHT0);
    glClearColor(CLEAR_COLOUR[0], CLEAR_COLOUR[1], CLEAR_COLOUR[2], CLEAR_COLOUR[3]);
    profileMark("physics and balls");
    physics = PhysicsWorld::instance();
    furBalls = spawnFurBalls();
    physics->resetBodies();
    profileMark("shadow target");
    const ShadowTarget target = createShadowTarget();
    shadowFramebuffer = target.framebuffer;
    shadowDepthTexture = target.depthTexture;
    shadowMapSize = target.size;
    // The music starts last, once everything else has loaded.
    profileMark("music");
    playMusic(*music);
    depthTexStep = shadowTexelStep(shadowMapSize);
    swapControl = std::make_unique<SwapControl>();
    profileMark(nullptr);
}

void Scene::applyChangedSettings() {
    const Settings& wanted = settings;
    Settings& built = appliedSettings;
    if (wanted.shadowMapSize != built.shadowMapSize) {
        deleteShadowTarget(shadowTarget());
        const ShadowTarget target = createShadowTarget(wanted.shadowMapSize);
        shadowFramebuffer = target.framebuffer;
        shadowDepthTexture = target.depthTexture;
        shadowMapSize = target.size;
        depthTexStep = shadowTexelStep(shadowMapSize);
    }
    if (wanted.hairDensity != built.hairDensity) makeShellTextures(furShells, wanted.hairDensity);
    if (wanted.gravity != built.gravity) physics->setGravityScale(wanted.gravity);
    if (wanted.musicGain() != built.musicGain() && audioSystem) audioSystem->setVolume(wanted.musicGain());
    if (wanted.vsync != built.vsync) swapControl->setVsync(wanted.vsync);
    built = wanted;
}

void Scene::setFixedGlState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glShadeModel(GL_FLAT);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_NORMALIZE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void Scene::setLightAndMaterial() {
    glLightfv(GL_LIGHT0, GL_AMBIENT, AMBIENT);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, DIFFUSE);
    glLightfv(GL_LIGHT0, GL_SPECULAR, SPECULAR);
    glLightfv(GL_LIGHT0, GL_POSITION, INITIAL_LIGHT_DIRECTION);
    glMaterialfv(GL_FRONT, GL_AMBIENT, AMBIENT);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, DIFFUSE);
    glMaterialfv(GL_FRONT, GL_SPECULAR, SPECULAR);
    glMateriali(GL_FRONT, GL_SHININESS, SHININESS);
}

void Scene::loadShaderProgram(const std::string& directory, const std::string& name) {
    programs.load(directory, name);
}

void Scene::reloadShaders() {
    const std::string failures = programs.reload(SHADER_DIRECTORY);
    if (failures.empty()) {
        std::printf("shaders reloaded from %s\n", SHADER_DIRECTORY);
    } else if (failures != shaderErrors) {
        // Printed once; the screen shows it until a reload succeeds.
        std::printf("%s", failures.c_str());
    }
    std::fflush(stdout);
    shaderErrors = failures;
}

void Scene::loadTextures() {
    profileMark("shell textures");
    makeShellTextures(furShells);
    profileMark("images");
    loadImageTexture(normalMap1Texture, NORMAL_MAP_PATH);
    loadImageTexture(normalMap2Texture, WALL_IMAGE_PATH);
    loadImageTexture(floorTexture, FLOOR_IMAGE_PATH);
}

Scene::~Scene() {
    furBalls.clear();
    furShells.clear();
    releaseMusic(music);
    music = nullptr;
    closeAudio(audioSystem);
    audioSystem = nullptr;
}
