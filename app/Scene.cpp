#include "app/Scene.h"

#include <cstdio>

#include "platform/GlContext.h"
#include "render/Profiler.h"
#include "render/TextureUnits.h"

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
    loadTextures();
    makeMeshes();
    profileMark("physics and balls");
    physics = PhysicsWorld::instance();
    furBalls = spawnFurBalls();
    physics->resetBodies();
    profileMark("shadow target");
    makeShadowTarget(SHADOW_MAP_SIZE);
    // The music starts last, once everything else has loaded.
    profileMark("music");
    playMusic(*music);
    swapControl = std::make_unique<SwapControl>();
    whenGlContextRestored(GlContextUser::Program, [this] { remakeGlObjects(); });
    profileMark(nullptr);
}

void Scene::remakeGlObjects() {
    setFixedGlState();
    showShaderFailures(programs.remake(SHADER_DIRECTORY));
    loadTextures();
    makeMeshes();
    makeShadowTarget(shadowMapSize);
    panel.remakeGlObjects();
}

void Scene::applyChangedSettings() {
    const Settings& wanted = settings;
    Settings& built = appliedSettings;
    if (wanted.shadowMapSize != built.shadowMapSize) makeShadowTarget(wanted.shadowMapSize);
    if (wanted.hairDensity != built.hairDensity) makeShellTextures(furShells, wanted.hairDensity);
    if (wanted.gravity != built.gravity) physics->setGravityScale(wanted.gravity);
    if (wanted.musicGain() != built.musicGain() && audioSystem) audioSystem->setVolume(wanted.musicGain());
    if (wanted.vsync != built.vsync) swapControl->setVsync(wanted.vsync);
    built = wanted;
}

// The state start-up sets once and every frame relies on. Texturing is switched on for unit 0,
// the active one at start-up.
void Scene::setFixedGlState() {
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glShadeModel(GL_FLAT);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_NORMALIZE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    setLightAndMaterial();
    glEnable(GL_LIGHT0);
    glClearColor(CLEAR_COLOUR[0], CLEAR_COLOUR[1], CLEAR_COLOUR[2], CLEAR_COLOUR[3]);
}

// Replaces the shadow target (none before start-up makes the first) with one of size texels a side.
void Scene::makeShadowTarget(int size) {
    deleteShadowTarget(shadowTarget());
    const ShadowTarget target = createShadowTarget(size);
    shadowFramebuffer = target.framebuffer;
    shadowDepthTexture = target.depthTexture;
    shadowMapSize = target.size;
    depthTexStep = shadowTexelStep(shadowMapSize);
}

void Scene::makeMeshes() {
    shellSphere.make(shellSphereData(), FUR_SHELL_UNIT);
    roomQuad.make(unitQuadMeshData(), QUAD_COORDINATE_UNIT);
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
    if (failures.empty()) std::printf("shaders reloaded from %s\n", SHADER_DIRECTORY);
    showShaderFailures(failures);
}

// Printed once; the screen shows them until the programs are made without failure.
void Scene::showShaderFailures(const std::string& failures) {
    if (!failures.empty() && failures != shaderErrors) std::printf("%s", failures.c_str());
    std::fflush(stdout);
    shaderErrors = failures;
}

void Scene::loadTextures() {
    profileMark("shell textures");
    makeShellTextures(furShells, appliedSettings.hairDensity);
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
