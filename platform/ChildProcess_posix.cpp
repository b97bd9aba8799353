#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

extern char** environ;

struct ChildProcess::Handles {
    pid_t process = -1;
    int input = -1;  // the pipe's end we write, -1 once closed
};

namespace {
void closeInput(int& input) {
    if (input >= 0) close(input);
    input = -1;
}

// True when it ended with status 0; the process is gone afterwards either way.
bool waitForEnd(pid_t& process) {
    int status = 0;
    const bool ended = process > 0 && waitpid(process, &status, 0) == process;
    process = -1;
    return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}  // namespace

std::filesystem::path ChildProcess::findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           bool pipedInput)
    : handles(std::make_unique<Handles>()) {
    // A write to a program that has stopped fails instead of ending ours.
    signal(SIGPIPE, SIG_IGN);
    int fds[2] = {-1, -1};
    if (pipedInput && pipe2(fds, O_CLOEXEC) != 0) return;

    std::vector<std::string> words = {program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipedInput) posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    if (posix_spawn(&handles->process, program.c_str(), &actions, &attributes, argv.data(), environ) != 0)
        handles->process = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (pipedInput) close(fds[0]);
    handles->input = fds[1];
}

ChildProcess::~ChildProcess() {
    closeInput(handles->input);
    waitForEnd(handles->process);
}

bool ChildProcess::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    size_t written = 0;
    while (handles->input >= 0 && written < size) {
        const ssize_t count = ::write(handles->input, bytes + written, size - written);
        if (count < 0) return false;
        written += size_t(count);
    }
    return written == size;
}

bool ChildProcess::finishedWell() {
    closeInput(handles->input);
    return waitForEnd(handles->process);
}
