// The real binary under the X display, driven the way a viewer drives it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
    return output;
}

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

class RunningProgram {
public:
    RunningProgram() {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            if (chdir(FUZZLETS_SOURCE_DIR) != 0) _exit(126);
            execl(FUZZLETS_BINARY, FUZZLETS_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        output = fdopen(fds[0], "r");
    }
    ~RunningProgram() {
        if (pid > 0 && !exited) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (output) fclose(output);
    }
    std::string readLine() {
        char buffer[512];
        return fgets(buffer, sizeof buffer, output) ? buffer : "";
    }
    std::string readRest() {
        std::string rest, line;
        while (!(line = readLine()).empty()) rest += line;
        return rest;
    }
    // Exit status, or -1 if it did not end normally within the time.
    int waitForExit(std::chrono::seconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                exited = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }
    pid_t pid = -1;

private:
    FILE* output = nullptr;
    bool exited = false;
};

}  // namespace

TEST(ProgramTest, OpensItsWindowDrawsContinuouslyAndQuitsOnEscape) {
    RunningProgram program;
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
