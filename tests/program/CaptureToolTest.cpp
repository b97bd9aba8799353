// fuzzlets-capture as README uses it: repeatable to the byte, strict about its options, its
// picture the one the shaders should draw, region by region, and its video the frames it drew.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "platform/ImageFiles.h"
#include "tests/TestFiles.h"
#include "tests/program/RunningProgram.h"

namespace fs = std::filesystem;

namespace {
int capture(const std::vector<std::string>& options, const std::vector<std::string>& environment = {}) {
    std::vector<std::string> arguments = {FUZZLETS_CAPTURE};
    arguments.insert(arguments.end(), options.begin(), options.end());
    RunningProgram program(arguments, environment);
    return program.waitForExit(std::chrono::seconds(600));
}

// Mean colour of each region of frame 6 of the script below, in the hair-lit look, as drawn on
// Mesa llvmpipe: each region stands for the shader terms or the layer that colour it.
struct Region {
    const char* what;
    int x0, y0, x1, y1;
    int rgb[3];
};
const Region REGIONS[] = {
    {"ceiling", 120, 5, 260, 28, {39, 47, 22}},
    {"left wall", 40, 60, 130, 200, {33, 41, 18}},
    {"back wall in full light", 280, 170, 320, 210, {85, 99, 56}},
    {"back wall at the edge of the balls' shadow", 435, 95, 460, 120, {51, 63, 30}},
    {"right wall", 530, 250, 620, 330, {69, 84, 40}},
    {"floor fur", 150, 380, 450, 440, {70, 40, 16}},
    {"fur ball, edge", 222, 190, 240, 220, {36, 16, 10}},
    {"fur ball, top", 300, 20, 340, 50, {66, 22, 21}},
    {"fur ball, hairs trailing its fall", 360, 100, 380, 120, {52, 21, 13}},
    {"spectrum line over the floor", 100, 455, 500, 465, {97, 43, 18}},
    {"fur ball in another ball's shadow", 360, 30, 380, 50, {33, 6, 5}},
    {"floor fur's pile over the far wall's foot", 200, 345, 470, 355, {72, 57, 25}},
};
// Repeated runs differ by 1 at most; a lost shader term moves a region by 4 or more.
const int TOLERANCE = 3;
}  // namespace

TEST(CaptureToolTest, TheSameArgumentsGiveTheSamePictureAndSoundAndThePictureIsRight) {
    const fs::path root = temporaryPath("capture");
    const std::vector<std::string> script = {"--frames", "12", "--every", "6", "--at", "1:tap=u", "--at", "7:key=w",
                                             "--at", "9:release=w", "--at", "10:move=40,-10", "--at", "6:tap=F12"};
    // The third run on the driver the demo is written for: OpenGL 2.0 with GLSL 1.10 only; the
    // fourth on one that names framebuffer objects only as ARB and core calls, where the EXT
    // names the program calls are pointed at the core ones.
    const std::map<std::string, std::vector<std::string>> drivers = {
        {"first", {}},
        {"second", {}},
        {"gl20", {"MESA_GL_VERSION_OVERRIDE=2.0", "MESA_GLSL_VERSION_OVERRIDE=110"}},
        {"no-ext-fbo", {"MESA_EXTENSION_OVERRIDE=-GL_EXT_framebuffer_object"}},
    };
    for (const auto& [run, driver] : drivers) {
        std::vector<std::string> options = script;
        options.insert(options.end(), {"--output", (root / run).string()});
        ASSERT_EQ(capture(options, driver), 0) << run;
    }
    for (const char* file : {"frame-00006.png", "frame-00012.png", "music.wav"}) {
        const std::string first = fileBytes(root / "first" / file);
        EXPECT_GT(first.size(), 1000u) << file;
        EXPECT_TRUE(first == fileBytes(root / "second" / file)) << file;
    }
    EXPECT_FALSE(fs::exists(root / "first" / "frame-00003.png"));
    // F12 saves the frame as drawn, the same bytes as the tool's own picture of it.
    EXPECT_TRUE(fileBytes(root / "first" / "fuzzlets-0001.png") == fileBytes(root / "first" / "frame-00006.png"));
    // 12 frames at 60 a second: 8820 stereo frames of 16-bit samples after the 44-byte header.
    EXPECT_EQ(fs::file_size(root / "first" / "music.wav"), 44u + 8820u * 4u);

    for (const char* run : {"first", "gl20", "no-ext-fbo"}) {
        RgbaImage frame;
        ASSERT_TRUE(readImage(root / run / "frame-00006.png", frame));
        ASSERT_EQ(frame.width, 640);
        const std::uint8_t* pixels = frame.rgba.data();
        for (const Region& region : REGIONS) {
            const long count = long(region.x1 - region.x0) * (region.y1 - region.y0);
            for (int c = 0; c < 3; ++c) {
                long sum = 0;
                for (int y = region.y0; y < region.y1; ++y)
                    for (int x = region.x0; x < region.x1; ++x) sum += pixels[(y * 640 + x) * 4 + c];
                EXPECT_NEAR(sum / count, region.rgb[c], TOLERANCE) << run << ": " << region.what << ", channel " << "rgb"[c];
            }
        }
    }
    fs::remove_all(root);
}

// Three seconds of video. PSNR is measured in the file's own YUV 4:2:0, the PNG converted by the
// colour matrix the file declares: compared in RGB, halving the chroma alone costs the red fur
// 10 dB. A frame out of step with its PNG scores about 30 dB.
TEST(CaptureToolTest, VideoHoldsTheDrawnFramesAndTheMusicAndIsRepeatable) {
    const fs::path folder = emptyFolder("video");
    const std::string video = (folder / "clip.mp4").string();
    const std::vector<std::string> command = {"--frames", "90", "--fps", "30", "--size", "320x240", "--sequence",
                                              "--at", "1:tap=u", "--video", video, "--output", folder.string()};
    ASSERT_EQ(capture(command), 0);
    const std::string first = fileBytes(video);
    ASSERT_EQ(capture(command), 0);
    EXPECT_TRUE(first == fileBytes(video));

    const std::string probe = "ffprobe -v error -of csv=p=0 -show_entries stream=";
    EXPECT_EQ(runCommand(probe + "codec_name,pix_fmt,nb_frames -select_streams v " + video), "h264,yuv420p,90\n");
    const double wavSeconds = double(fs::file_size(folder / "music.wav") - 44) / 4 / 44100;
    EXPECT_NEAR(std::stod(runCommand(probe + "duration -select_streams a " + video)), wavSeconds, 1.0 / 30);
    std::istringstream stats(runCommand(
        "ffmpeg -nostdin -loglevel error -i " + video + " -framerate 30 -i " + folder.string() +
        "/frame-%05d.png -lavfi '[1:v]scale=out_color_matrix=bt709:out_range=tv,format=yuv420p[png];"
        "[0:v][png]psnr=stats_file=-' -f null -"));
    int frames = 0;
    for (std::string line; std::getline(stats, line); ++frames)
        EXPECT_GE(std::stod(line.substr(line.find("psnr_avg:") + 9)), 35.0) << line;
    EXPECT_EQ(frames, 90);
    fs::remove_all(folder);
}

TEST(CaptureToolTest, BadOptionsUnwritableFilesAndNoFfmpegEndWithStatusTwo) {
    const std::string folder = temporaryPath("bad").string();
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--frames", "0"}, {"--frames"}, {"--no-such-option"}, {"--at", "3:key=Escape"}, {"--size", "big"},
             {"--output", "/proc/fuzzlets"}, {"--video", "/proc/fuzzlets.mp4", "--output", folder},
             {"--size", "321x240", "--video", "a.mp4"}, {"--set", "shells=0"}, {"--at", "2:set=gravity=-1"}})
        EXPECT_EQ(capture(options), 2) << options[0];
    EXPECT_EQ(capture({"--help"}), 0);
    fs::remove_all(folder);
    // Without ffmpeg, --video ends the tool before it draws or writes anything.
    EXPECT_EQ(capture({"--video", folder + "/clip.mp4", "--output", folder}, {"PATH=/nonexistent"}), 2);
    EXPECT_FALSE(fs::exists(folder));
}
