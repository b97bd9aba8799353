// The keys and settings for looking inside the frame: each changes the picture where it should,
// and switching it back (a key again, a setting's reset, the panel closed) gives the same bytes
// as before. The music is not pulled here, so the spectrum stays silent and paused frames repeat
// exactly. F12 in the running program: tests/program/EverydayUseTest.cpp.
#include <filesystem>

#include "app/Window.h"
#include "tests/TestFiles.h"
#include "tests/app/ChangedSettings.h"
#include "tests/gl/GlTestSupport.h"

namespace fs = std::filesystem;

namespace {
bool same(const Picture& a, const Picture& b) { return a.pixels.rgb == b.pixels.rgb; }

// Pixels inside box (or outside it, when outside is set) whose colour differs between a and b.
int changedPixels(const Picture& a, const Picture& b, Box box, bool outside = false) {
    return a.count(a.whole(), [&](int x, int y) { return box.contains(x, y) != outside && a.at(x, y) != b.at(x, y); });
}

Picture pressAndDraw(unsigned char key) {
    keyboard(key, 0, 0);
    keyboardUp(key, 0, 0);
    runFrames(1);
    return Picture::readBack();
}

// A left click where the panel is, as GLUT reports it.
void clickAt(int x, int y) {
    for (int state : {GLUT_DOWN, GLUT_UP}) {
        passiveMotion(x, y);
        mouseButton(GLUT_LEFT_BUTTON, state, x, y);
        runFrames(1);
    }
}

Picture setAndDraw(const std::string& assignment) {
    EXPECT_EQ(applySettingText(scene->settings, assignment), "");
    runFrames(1);
    return Picture::readBack();
}
}  // namespace

TEST(LearningViewsTest, EachViewAndSettingChangesItsPartOfThePictureAndSwitchingBackRestoresIt) {
    Scene* s = startTestScene(AUDIO_OUTPUT_MANUAL);
    s->physics->resetBodies();
    s->camera.setFree(true);
    runFrames(20);  // the balls are falling: their fur trails the motion
    const Picture falling = Picture::readBack();
    const int width = falling.width, height = falling.height;
    const Box everything = falling.whole();
    const Picture paused = pressAndDraw('p');
    EXPECT_GT(changedPixels(falling, paused, everything), 500);
    runFrames(30);
    EXPECT_TRUE(same(paused, Picture::readBack()));

    // 1: grey levels in the bottom-right square, near dark and far light. Showing the stored
    // depths, it leaves the shadow map comparing depths for the passes after it.
    const int side = height / 3;
    const Box square = {width - side, height - side, width, height};
    const Picture shadowView = pressAndDraw('1');
    GLint compareMode = GL_NONE;
    glBindTexture(GL_TEXTURE_2D, s->shadowDepthTexture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &compareMode);
    EXPECT_EQ(compareMode, GL_COMPARE_R_TO_TEXTURE);
    EXPECT_EQ(changedPixels(paused, shadowView, square, true), 0);
    EXPECT_EQ(shadowView.count(square, [&shadowView](int x, int y) { return shadowView.at(x, y).isGrey(); }), side * side);
    EXPECT_GT(shadowView.count(square, [&shadowView](int x, int y) { return shadowView.at(x, y).r == 255; }), 0);
    EXPECT_GT(shadowView.count(square, [&shadowView](int x, int y) { return shadowView.at(x, y).r < 160; }), 0);
    EXPECT_TRUE(same(paused, pressAndDraw('1')));

    // 2: every fifth shell, then the innermost only, then all 40 again.
    const Box floor = {0, height * 5 / 6, width, height};
    const Picture everyFifth = pressAndDraw('2');
    const Picture innermost = pressAndDraw('2');
    for (const auto& [before, after] : {std::pair(&paused, &everyFifth), std::pair(&everyFifth, &innermost)}) {
        EXPECT_GT(changedPixels(*before, *after, floor), width * height / 50);
        EXPECT_GT(changedPixels(*before, *after, floor, true), width * height / 100);
    }
    EXPECT_TRUE(same(paused, pressAndDraw('2')));

    // h: white text on a dark backdrop at the top left, below the frame rate.
    const Box panel = {0, 20, width * 2 / 3, height * 2 / 3};
    const Picture help = pressAndDraw('h');
    EXPECT_EQ(changedPixels(paused, help, panel, true), 0);
    EXPECT_GT(help.count(panel, [&help](int x, int y) { return help.at(x, y).brightness() == 765; }), 500);
    EXPECT_GT(help.count(panel, [&](int x, int y) { return help.at(x, y).brightness() < paused.at(x, y).brightness() / 2; }), 5000);
    EXPECT_TRUE(same(paused, pressAndDraw('h')));

    // Each setting against the region it must change; back at the start values (each setting's
    // own reset: tests/app/SettingsTest.cpp) the paused picture comes back.
    const Box top = {0, 0, width, height * 5 / 6};
    const struct { const char* assignment; Box where; } settings[] = {
        {"shells=7", floor},          {"fur-length=3", top},        {"motion-bend=3", top},
        {"bass-bend=0", everything},  {"hair-density=0.25", floor}, {"shadow-map-size=256", top},
        {"soft-shadows=off", top},    {"shadow-bias=0", top},       {"shadow-map-view=on", square},
        {"spectrum=on", floor},
    };
    for (const auto& setting : settings) {
        EXPECT_GT(changedPixels(paused, setAndDraw(setting.assignment), setting.where), 50) << setting.assignment;
        s->settings = Settings{};
        runFrames(1);
        EXPECT_TRUE(same(paused, Picture::readBack())) << setting.assignment;
    }

    // Tab: the panel at the right; a click on the shells slider's left end reaches the panel and
    // not the camera, and neither does the pointer; closed, the frame is the paused one again.
    const Picture withPanel = pressAndDraw('\t');
    EXPECT_GT(changedPixels(paused, withPanel, {width / 2, 0, width, height}), width * height / 5);
    EXPECT_EQ(changedPixels(paused, withPanel, {0, 0, width / 3, height}), 0);
    const Matrix4 view = s->camera.viewMatrix;
    clickAt(364, 74);
    passiveMotion(width / 2 - 100, height / 2);
    runFrames(1);
    EXPECT_EQ(s->settings.shellsDrawn, 1);
    EXPECT_TRUE(std::equal(view.m, view.m + 16, s->camera.viewMatrix.m));
    // "reset all" with every setting changed puts each back at its start value.
    for (const char* assignment : CHANGED_SETTINGS) EXPECT_EQ(applySettingText(s->settings, assignment), "");
    runFrames(1);
    clickAt(335, 38);
    for (int index = 0; index < SETTING_COUNT; ++index)
        EXPECT_EQ(settingValueText(s->settings, index), settingValueText(Settings{}, index)) << SETTING_INFOS[index].name;
    EXPECT_TRUE(same(paused, pressAndDraw('\t')));

    // F12's picture and the tools' frame readers read the back buffer before the swap leaves
    // it undefined.
    const fs::path folder = emptyFolder("screenshot");
    s->screenshotFolder = folder.string();
    ++s->screenshotsRequested;
    const unsigned long swapped = s->framesSwapped;
    std::pair<int, unsigned long> whenRead = {-1, 0};
    readEachFrame([&] { whenRead = {s->screenshotsRequested, s->framesSwapped}; });
    captureOutput([] { runFrames(1); });
    readEachFrame(nullptr);
    EXPECT_EQ(whenRead, std::pair(0, swapped));
    EXPECT_EQ(s->framesSwapped, swapped + 1);
    fs::remove_all(folder);
    pressAndDraw('p');  // running again, for the extremes below
}

TEST(LearningViewsTest, ExtremeSettingsDrawWithoutGlErrorsAndFreeWhatTheyReplace) {
    Scene* s = startTestScene(AUDIO_OUTPUT_MANUAL);
    // A replaced object is deleted, or its name was free for the one that replaced it.
    const auto freed = [](GLuint old, GLuint replacement, GLboolean (*exists)(GLuint)) {
        return old == replacement || !exists(old);
    };
    // The uniform a pass last set in a program.
    const auto uniform = [s](const char* program, const char* name) {
        GLfloat value = -1.0f;
        glGetUniformfv(s->program(program), s->programs.location(program, name), &value);
        return value;
    };
    // The floor's shells climb 0.005 each in the unscaled room: the 40th sits at 0.195.
    runFrames(1);
    EXPECT_NEAR(uniform("floorFur", "furLength"), 0.195f, 1e-6f);
    for (int round = 0; round < 10; ++round) {
        const GLuint depthTexture = s->shadowDepthTexture, framebuffer = s->shadowFramebuffer;
        const int size = round % 2 ? 4096 : 256;
        setAndDraw("shadow-map-size=" + std::to_string(size));
        EXPECT_TRUE(freed(depthTexture, s->shadowDepthTexture, glIsTexture)) << round;
        EXPECT_TRUE(freed(framebuffer, s->shadowFramebuffer, glIsFramebufferEXT)) << round;
        // The walls' soft edge steps by one texel of the new size.
        EXPECT_EQ(uniform("normalMapping", "depthTexStep"), 1.0f / float(size)) << round;
    }
    const GLuint shellTexture = s->furShells.back()->texture;
    for (const char* assignment : {"shells=1", "fur-length=3", "hair-density=2", "gravity=0", "volume=0", "gravity=2",
                                   "leap-strength=3", "rest-seconds=0.5", "light-speed=4"})
        setAndDraw(assignment);
    EXPECT_EQ(uniform("floorFur", "furLength"), 0.0f);  // the one shell drawn lies on the floor
    runFrames(60);
    EXPECT_TRUE(freed(shellTexture, s->furShells.back()->texture, glIsTexture));
    EXPECT_EQ(s->furShells.size(), size_t(FUR_SHELL_COUNT));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
