#include "tests/program/RunningProgram.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

using Clock = std::chrono::steady_clock;

RunningProgram::RunningProgram(const std::vector<std::string>& arguments,
                               const std::vector<std::string>& environment) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        for (const std::string& setting : environment) putenv(const_cast<char*>(setting.c_str()));
        if (chdir(FUZZLETS_SOURCE_DIR) != 0) _exit(126);
        std::vector<char*> argv;
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    output = fds[0];
}

RunningProgram::~RunningProgram() {
    // SIGKILL: a test that ends early does not wait for an orderly shutdown.
    if (pid > 0 && !exited) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (output >= 0) close(output);
}

std::string RunningProgram::readLine(std::chrono::seconds limit) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
        const size_t end = pending.find('\n');
        if (end != std::string::npos) {
            const std::string line = pending.substr(0, end + 1);
            pending.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd ready = {output, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, int(left.count())) == 0) {
            ADD_FAILURE() << "no line of output within " << limit.count() << " s (so far: '" << pending << "')";
            return "";
        }
        char buffer[4096];
        const ssize_t count = read(output, buffer, sizeof buffer);
        if (count <= 0) return std::exchange(pending, "");  // ended: whatever it left unfinished
        pending.append(buffer, size_t(count));
    }
}

std::string RunningProgram::readRest() {
    std::string rest, line;
    while (!(line = readLine()).empty()) rest += line;
    return rest;
}

int RunningProgram::waitForExit(std::chrono::seconds limit) {
    int status = 0;
    const bool ended =
        waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, "the program to end", limit);
    if (!ended) return -1;
    exited = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunningProgram::stop(int signalNumber, std::chrono::seconds limit) {
    kill(pid, signalNumber);
    return waitForExit(limit);
}

bool waitUntil(const std::function<bool()>& observed, const std::string& what, std::chrono::seconds limit) {
    const auto deadline = Clock::now() + limit;
    while (!observed()) {
        if (Clock::now() > deadline) {
            ADD_FAILURE() << "waited " << limit.count() << " s for " << what;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
    return output;
}

std::string findWindow(const std::string& xdotool) {
    const std::string ids = runCommand("timeout " + std::to_string(PATIENCE.count()) + " " + xdotool +
                                       "search --sync --onlyvisible --name '^Fuzzlets$'");
    return ids.substr(0, ids.find('\n'));
}

std::string takeScreenshot(RunningProgram& program, const std::string& xdotool, const std::string& window,
                           const std::string& folder, int number) {
    runCommand(xdotool + "key --window " + window + " F12");
    char name[32];
    std::snprintf(name, sizeof name, "/fuzzlets-%04d.png", number);
    EXPECT_EQ(program.readLine(), "screenshot written to " + folder + name + "\n");
    return folder + name;
}

size_t DiskAudio::samplesSinceSound() {
    std::error_code missing;
    const size_t written = size_t(std::filesystem::file_size(path, missing)) / sizeof(float);
    if (missing) return 0;
    std::ifstream file(path, std::ios::binary);
    file.seekg(std::streamoff(scanned * sizeof(float)));
    std::vector<float> chunk(65536);
    while (!sounding && scanned < written) {
        const size_t count = std::min(chunk.size(), written - scanned);
        if (!file.read(reinterpret_cast<char*>(chunk.data()), std::streamsize(count * sizeof(float)))) break;
        const auto sound = std::find_if(chunk.begin(), chunk.begin() + long(count), [](float v) { return v != 0.0f; });
        sounding = sound != chunk.begin() + long(count);
        start = scanned + size_t(sound - chunk.begin());
        scanned += count;
    }
    return sounding ? written - start : 0;
}
