// Broken or missing files in place of the shaders, the images and the music, and an output that
// cannot open: the program says what it must and keeps drawing. Music files that are not audio:
// tests/audio/AudioTest.cpp.
#include <cstdlib>
#include <filesystem>

#include "tests/TestFiles.h"
#include "tests/gl/GlTestSupport.h"

namespace fs = std::filesystem;

namespace {

// A working directory like the repository's, every file linked to the real one, in which a
// test can break single files; the test process moves into it.
struct Sandbox {
    Sandbox() : root(emptyFolder("sandbox")) {
        for (const char* folder : {"shader", "media"})
            for (const auto& entry : fs::recursive_directory_iterator(fs::path(FUZZLETS_SOURCE_DIR) / folder)) {
                const fs::path copy = root / fs::relative(entry.path(), FUZZLETS_SOURCE_DIR);
                fs::create_directories(copy.parent_path());
                if (!entry.is_directory()) fs::create_symlink(entry.path(), copy);
            }
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
    const int contrast = std::abs(picture.at(5, 470).brightness() - picture.mean(200, 150, 440, 330).brightness());
    EXPECT_GT(contrast + picture.mean(0, 0, 640, 480).brightness(), 10);
}

}  // namespace

TEST(BadInputTest, BrokenShadersImagesAndMissingMusicAreReportedAndItKeepsDrawing) {
    Sandbox sandbox;
    fs::remove(sandbox.root / "shader/glsl/fur.vert");
    fs::remove(sandbox.root / "shader/glsl/fur.frag");
    fs::create_directory(sandbox.root / "shader/glsl/fur.frag");
    writeFileBytes(sandbox.root / "shader/glsl/normalMapping.frag", "");
    writeFileBytes(sandbox.root / "shader/glsl/depth.frag", "#version 120\nvoid main() { gl_FragColor = oops; }\n");
    fs::remove(sandbox.root / "media/textures/NMBalls.png");
    for (const char* image : {"media/textures/70er_green.jpg", "media/textures/70er.jpg"})
        writeFileBytes(sandbox.root / image, "this is not a picture\n");
    fs::remove(sandbox.root / "media/loop_space_rocket.mp3");
    Scene* s = nullptr;
    const std::string output = captureOutput([&] { s = startTestScene(); });
    for (const char* expected : {"shader/glsl/fur.vert: cannot be read", "shader/glsl/fur.frag: cannot be read",
                                 "shader/glsl/normalMapping.frag: cannot be read",
                                 "shader/glsl/depth.frag: compile failed", "link failed",
                                 "error loading image: media/textures/NMBalls.png\n"
                                 "error loading image: media/textures/70er_green.jpg\n"
                                 "error loading image: media/textures/70er.jpg\n"})
        EXPECT_NE(output.find(expected), std::string::npos) << expected << " in\n" << output;
    for (const char* unexpected : {"floorFur", "FMOD"}) EXPECT_EQ(output.find(unexpected), std::string::npos) << output;
    EXPECT_EQ(s->programs.entries().size(), 4u);
    for (const ImageTexture* image : {&s->normalMap1Texture, &s->normalMap2Texture, &s->floorTexture})
        EXPECT_TRUE(glIsTexture(image->texture));
    // Without music, each frame says so twice, when it asks for the spectrum.
    std::string reports;
    for (int line = 0; line < 6; ++line) reports += "FMOD error! analyse() (5) The channel is invalid or not playing.\n";
    EXPECT_EQ(captureOutput([] { runFrames(3); }), reports);
    expectStillDrawing();
}

TEST(BadInputTest, AnOutputThatCannotOpenIsReportedOnceAtStartUp) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(captureOutput([] { startTestScene(); }),
              "yeah we got frambuffer objects!\n"
              "FMOD error! (1) The audio output device could not be opened.\n"
              "loading texture: media/textures/NMBalls.png\n"
              "loading texture: media/textures/70er_green.jpg\n"
              "loading texture: media/textures/70er.jpg\n");
    expectStillDrawing();
}
