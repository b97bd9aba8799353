// Broken or missing files in place of the shaders, the images and the music, and an output that
// cannot open: the program says what it must and keeps drawing. Music files that are not audio:
// tests/audio/AudioTest.cpp.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "tests/TestFiles.h"
#include "tests/gl/GlTestSupport.h"

namespace fs = std::filesystem;

namespace {

// A working directory like the repository's, with copies of its data in which a test can break
// single files; the test process moves into it.
struct Sandbox {
    Sandbox() : root(emptyFolder("sandbox")) {
        copyData(root);
        fs::current_path(root);
    }
    ~Sandbox() {
        fs::current_path(FUZZLETS_SOURCE_DIR);
        fs::remove_all(root);
    }
    fs::path root;
};

// The scene keeps drawing a picture with something in it, not a blank or a crash.
void expectStillDrawing() {
    runFrames(2);
    const Picture picture = Picture::readBack();
    const Rgb corner = picture.at(5, 470);
    EXPECT_GT(picture.count(picture.whole(), [&](int x, int y) { return picture.at(x, y) != corner; }), 640 * 480 / 10);
}

}  // namespace

TEST(BadInputTest, BrokenShadersImagesAndMissingMusicAreReportedAndItKeepsDrawing) {
    Sandbox sandbox;
    fs::remove(sandbox.root / "shader/glsl/fur.vert");
    fs::remove(sandbox.root / "shader/glsl/fur.frag");
    fs::create_directory(sandbox.root / "shader/glsl/fur.frag");
    writeFileBytes(sandbox.root / "shader/glsl/normalMapping.frag", "");
    writeFileBytes(sandbox.root / "shader/glsl/depth.frag", "void main() { gl_FragColor = oops; }\n");
    fs::remove(sandbox.root / "media/textures/NMBalls.png");
    for (const char* image : {"media/textures/70er_green.jpg", "media/textures/70er.jpg"})
        writeFileBytes(sandbox.root / image, "this is not a picture\n");
    fs::remove(sandbox.root / "media/loop_space_rocket.mp3");
    Scene* s = nullptr;
    const std::string output = captureOutput([&] { s = startTestScene(); });
    for (const char* expected : {"shader/glsl/fur.vert: cannot be read", "shader/glsl/fur.frag: cannot be read",
                                 "shader/glsl/normalMapping.frag: cannot be read",
                                 "shader/glsl/depth.frag: compile failed\nshader/glsl/depth.frag:1(",
                                 "error loading image: media/textures/NMBalls.png\n"
                                 "error loading image: media/textures/70er_green.jpg\n"
                                 "error loading image: media/textures/70er.jpg\n"})
        EXPECT_NE(output.find(expected), std::string::npos) << expected << " in\n" << output;
    // The link failure that follows from a failed compile says nothing the compiler did not.
    for (const char* unexpected : {"floorFur", "FMOD", "link failed"}) EXPECT_EQ(output.find(unexpected), std::string::npos) << output;
    EXPECT_EQ(s->programs.entries().size(), 4u);
    // Each image that failed stands in as a flat normal: every texel points straight out.
    for (const ImageTexture* image : {&s->normalMap1Texture, &s->normalMap2Texture, &s->floorTexture}) {
        glBindTexture(GL_TEXTURE_2D, image->texture);
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        std::vector<std::array<GLubyte, 4>> texels(size_t(width) * size_t(height));
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_EQ(texels, decltype(texels)(std::max<size_t>(texels.size(), 1), {128, 128, 255, 255}));
    }
    // Without music, each frame says so twice, when it asks for the spectrum.
    std::string reports;
    for (int line = 0; line < 6; ++line) reports += "FMOD error! analyse() (5) The channel is invalid or not playing.\n";
    EXPECT_EQ(captureOutput([] { runFrames(3); }), reports);
    expectStillDrawing();
}

TEST(BadInputTest, AnOutputThatCannotOpenIsReportedOnceAtStartUp) {
    // putenv, unlike setenv, is in Windows' C library too.
    putenv(const_cast<char*>("SDL_AUDIODRIVER=no-such-driver"));
    EXPECT_EQ(captureOutput([] { startTestScene(); }),
              "yeah we got frambuffer objects!\n"
              "FMOD error! (1) The audio output device could not be opened.\n"
              "loading texture: media/textures/NMBalls.png\n"
              "loading texture: media/textures/70er_green.jpg\n"
              "loading texture: media/textures/70er.jpg\n");
    expectStillDrawing();
}

TEST(BadInputTest, AFailedReloadKeepsTheLastProgramAndShowsWhyAndReloadsFreeWhatTheyReplace) {
    Sandbox sandbox;
    Scene* s = startTestScene();
    const auto attachedShaders = [](const std::map<std::string, GLuint>& programs) {
        std::set<GLuint> shaders;
        for (const auto& [name, program] : programs) {
            GLuint attached[2] = {};
            glGetAttachedShaders(program, 2, nullptr, attached);
            shaders.insert(attached, attached + 2);
        }
        return shaders;
    };
    // A replaced object is deleted, or its name was free for one of the new objects.
    for (int reload = 0; reload < 50; ++reload) {
        const std::map<std::string, GLuint> before = s->programs.entries();
        const std::set<GLuint> shadersBefore = attachedShaders(before);
        ASSERT_EQ(captureOutput([&] { s->reloadShaders(); }), "shaders reloaded from shader/glsl/\n");
        const std::set<GLuint> shadersAfter = attachedShaders(s->programs.entries());
        for (const auto& [name, program] : before)
            EXPECT_TRUE(!glIsProgram(program) || program == s->programs.program(name)) << name;
        for (GLuint shader : shadersBefore) EXPECT_TRUE(!glIsShader(shader) || shadersAfter.count(shader)) << reload;
    }

    // A syntax error on line 2: the last working program stays, the message names the file and the
    // line, once in the output and in red over the frame until a reload works again.
    const GLuint working = s->programs.program("depth");
    writeFileBytes(sandbox.root / "shader/glsl/depth.frag", "void main() {\n    oops;\n}\n");
    EXPECT_NE(captureOutput([&] { s->reloadShaders(); }).find("shader/glsl/depth.frag:2("), std::string::npos);
    EXPECT_EQ(captureOutput([&] { s->reloadShaders(); }), "");
    EXPECT_EQ(s->programs.program("depth"), working);
    // Red pixels of text under the frame rate.
    const auto redText = [] {
        runFrames(1);
        const Picture shown = Picture::readBack();
        return shown.count({0, 25, 400, 60}, [&shown](int x, int y) { return shown.at(x, y).r > 200 && shown.at(x, y).g < 120; });
    };
    EXPECT_GT(redText(), 100);
    writeFileBytes(sandbox.root / "shader/glsl/depth.frag", fileBytes(fs::path(FUZZLETS_SOURCE_DIR) / "shader/glsl/depth.frag"));
    EXPECT_EQ(captureOutput([&] { s->reloadShaders(); }), "shaders reloaded from shader/glsl/\n");
    EXPECT_EQ(redText(), 0);
}
