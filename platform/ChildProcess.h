// Another program run from ours, with its standard input fed through a pipe: the video encoder
// hands its frames to ffmpeg this way.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class ChildProcess {
public:
    // The program called name (".exe" added on Windows) in the first folder of PATH that holds
    // it, or an empty path when none does.
    static std::filesystem::path findOnPath(const std::string& name);

    // Starts program with arguments (UTF-8 text), its standard output and error ours. With
    // pipedInput its standard input is a pipe that write() fills; otherwise it is ours. It gets a
    // process group of its own, so that a Ctrl+C meant for us leaves it to finish its work.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments, bool pipedInput);
    // Closes the pipe and waits for the program to end.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // All of the bytes, or false once the program takes no more (it ended, or never started).
    bool write(const void* data, std::size_t size);
    // Closes the pipe, waits for the program to end and tells whether it ended with status 0.
    bool finishedWell();

private:
    // The operating system's handles of the process and the pipe.
    struct Handles;
    std::unique_ptr<Handles> handles;
};
