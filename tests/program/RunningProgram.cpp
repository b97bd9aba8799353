#include "tests/program/RunningProgram.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

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
    output = fdopen(fds[0], "r");
}

RunningProgram::~RunningProgram() {
    kill();
    if (output) fclose(output);
}

void RunningProgram::kill() {
    // SIGKILL: a test that ends early does not wait for an orderly shutdown.
    if (pid > 0 && !exited) {
        ::kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        exited = true;
    }
}

std::string RunningProgram::readLine() {
    char buffer[512];
    return output && fgets(buffer, sizeof buffer, output) ? buffer : "";
}

std::string RunningProgram::readRest() {
    std::string rest, line;
    while (!(line = readLine()).empty()) rest += line;
    return rest;
}

int RunningProgram::waitForExit(std::chrono::seconds limit) {
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

int RunningProgram::stop(int signalNumber, std::chrono::seconds limit) {
    ::kill(pid, signalNumber);
    return waitForExit(limit);
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
