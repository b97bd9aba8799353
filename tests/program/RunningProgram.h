// One of the project's executables run as its own process from the repository root, its
// standard output read through a pipe. Every wait is for something the test can observe, up to
// a deadline far beyond what an idle machine needs: CI machines are loaded, and a test that
// fails names what it waited for instead of running into CTest's time-out.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

constexpr std::chrono::seconds PATIENCE{120};

class RunningProgram {
public:
    // environment: extra NAME=value settings for the child.
    explicit RunningProgram(const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The next line it prints; "" once it has ended, or (failing the test) when none comes in time.
    std::string readLine(std::chrono::seconds limit = PATIENCE);
    // Everything it prints until it ends.
    std::string readRest();
    // Exit status; -1, failing the test, if it has not ended normally in time.
    int waitForExit(std::chrono::seconds limit = PATIENCE);
    // Sends the signal and waits for the exit status as waitForExit does.
    int stop(int signalNumber, std::chrono::seconds limit = PATIENCE);

    pid_t pid = -1;

private:
    int output = -1;
    std::string pending;  // read but not yet returned as a line
    bool exited = false;
};

// Polls until observed() holds; if it does not in time, the test fails naming `what`.
bool waitUntil(const std::function<bool()>& observed, const std::string& what,
               std::chrono::seconds limit = PATIENCE);

// Output of a shell command.
std::string runCommand(const std::string& command);

// The id of the program's visible window on the display that `xdotool` ("xdotool " with any
// environment before it) is run for.
std::string findWindow(const std::string& xdotool);

// Presses F12 in the window and reads the line naming the picture saved as the `number`th
// screenshot in the folder the program was started from; returns the picture's path.
std::string takeScreenshot(RunningProgram& program, const std::string& xdotool, const std::string& window,
                           const std::string& folder, int number);

// The float samples SDL's disk audio driver writes, read as the file grows: silence until the
// music starts, then the music.
class DiskAudio {
public:
    explicit DiskAudio(std::string path) : path(std::move(path)) {}
    // Samples written from the first sound on; 0 while the output is silent.
    size_t samplesSinceSound();

private:
    std::string path;
    size_t scanned = 0;  // samples looked at for the first sound
    size_t start = 0;
    bool sounding = false;
};
