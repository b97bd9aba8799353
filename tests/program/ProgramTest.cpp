// The real binary under the X display, driven the way a viewer drives it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include "tests/program/RunningProgram.h"

namespace {

// CPU time the process has used, in clock ticks.
long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return utime + stime;
}

}  // namespace

TEST(ProgramTest, OpensItsWindowDrawsContinuouslyAndQuitsOnEscape) {
    RunningProgram program({FUZZLETS_BINARY});
    ASSERT_GT(program.pid, 0);
    EXPECT_EQ(program.readLine(), "yeah we got frambuffer objects!\n");

    // Other tests may have windows of the same title open: find this process's own.
    const std::string window = runCommand("timeout 60 xdotool search --sync --onlyvisible --pid " +
                                          std::to_string(program.pid) + " --name '^Fuzzlets$' | head -n 1");
    ASSERT_FALSE(window.empty());
    const std::string id = window.substr(0, window.find('\n'));
    const std::string geometry = runCommand("xdotool getwindowgeometry " + id);
    EXPECT_NE(geometry.find("Position: 100,100"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 640x480"), std::string::npos) << geometry;

    // Frames are drawn back to back: the process keeps working while nobody touches it.
    const long before = cpuTicks(program.pid);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_GT(cpuTicks(program.pid), before + 50);

    // Keys outside the table, mouse buttons and pointer moves leave it running.
    runCommand("xdotool key --window " + id + " W x 1 space F1 Up 2>/dev/null");
    runCommand("xdotool mousemove --window " + id + " 50 60 click 1 mousemove 400 300 2>/dev/null");
    EXPECT_EQ(program.waitForExit(std::chrono::seconds(1)), -1);

    runCommand("xdotool key --window " + id + " Escape 2>/dev/null");
    ASSERT_EQ(program.waitForExit(std::chrono::seconds(20)), 0);
    // Nothing but the fixed start-up lines is ever printed.
    const std::string rest = program.readRest();
    EXPECT_EQ(rest,
              "loading texture: media/textures/NMBalls.png\n"
              "loading texture: media/textures/70er_green.jpg\n"
              "loading texture: media/textures/70er.jpg\n");
}
