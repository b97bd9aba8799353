// fuzzlets-capture as README uses it: repeatable to the byte, and strict about its options.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/program/RunningProgram.h"

namespace fs = std::filesystem;

namespace {
std::string fileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

int capture(const std::vector<std::string>& options) {
    std::vector<std::string> arguments = {FUZZLETS_CAPTURE};
    arguments.insert(arguments.end(), options.begin(), options.end());
    RunningProgram program(arguments);
    return program.waitForExit(std::chrono::seconds(600));
}
}  // namespace

TEST(CaptureToolTest, TheSameArgumentsGiveTheSamePictureAndSound) {
    const fs::path root = fs::temp_directory_path() / ("fuzzlets-capture-" + std::to_string(getpid()));
    const std::vector<std::string> script = {"--frames", "40", "--every", "20", "--at", "5:key=w",
                                             "--at", "15:release=w", "--at", "20:tap=u", "--at", "25:move=40,-10"};
    for (const char* run : {"first", "second"}) {
        std::vector<std::string> options = script;
        options.insert(options.end(), {"--output", (root / run).string()});
        ASSERT_EQ(capture(options), 0);
    }
    for (const char* file : {"frame-00020.png", "frame-00040.png", "music.wav"}) {
        const std::string first = fileBytes(root / "first" / file);
        EXPECT_GT(first.size(), 1000u) << file;
        EXPECT_TRUE(first == fileBytes(root / "second" / file)) << file;
    }
    EXPECT_FALSE(fs::exists(root / "first" / "frame-00010.png"));
    // 40 frames at 60 a second: 29400 stereo frames of 16-bit samples after the 44-byte header.
    EXPECT_EQ(fs::file_size(root / "first" / "music.wav"), 44u + 29400u * 4u);
    fs::remove_all(root);
}

TEST(CaptureToolTest, BadOptionsAndUnwritableFoldersEndWithStatusTwo) {
    EXPECT_EQ(capture({"--frames", "0"}), 2);
    EXPECT_EQ(capture({"--frames"}), 2);
    EXPECT_EQ(capture({"--no-such-option"}), 2);
    EXPECT_EQ(capture({"--at", "3:key=Escape"}), 2);
    EXPECT_EQ(capture({"--size", "big"}), 2);
    EXPECT_EQ(capture({"--output", "/proc/fuzzlets"}), 2);
    EXPECT_EQ(capture({"--help"}), 0);
}
