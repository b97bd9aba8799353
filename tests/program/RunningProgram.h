// One of the project's executables run as its own process from the repository root, its
// standard output read through a pipe.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

class RunningProgram {
public:
    // environment: extra NAME=value settings for the child.
    explicit RunningProgram(const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    std::string readLine();
    // Everything it prints until it ends.
    std::string readRest();
    // Exit status, or -1 if it has not ended normally within the time.
    int waitForExit(std::chrono::seconds limit);
    // Sends the signal and waits for the exit status as waitForExit does.
    int stop(int signalNumber, std::chrono::seconds limit);
    void kill();

    pid_t pid = -1;

private:
    FILE* output = nullptr;
    bool exited = false;
};

// Output of a shell command.
std::string runCommand(const std::string& command);
