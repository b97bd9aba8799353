#include "render/VideoEncoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace {
// Every ffmpeg run prints errors only and overwrites its output file.
const std::vector<std::string> QUIET = {"-hide_banner", "-loglevel", "error", "-nostats", "-y"};
// Output options that keep out of the file whatever differs from run to run: version strings,
// creation times, the order in which threads finish.
const std::vector<std::string> BIT_EXACT = {"-threads", "1", "-flags", "+bitexact", "-fflags", "+bitexact",
                                            "-map_metadata", "-1"};

// Starts ffmpeg with arguments, its standard input from stdinFd when that is not -1. It gets a
// process group of its own, so that a Ctrl+C meant for the capture leaves it to finish the file.
pid_t spawnFfmpeg(const std::string& ffmpeg, const std::vector<std::vector<std::string>>& parts, int stdinFd) {
    std::vector<std::string> arguments = {ffmpeg};
    for (const auto& part : parts) arguments.insert(arguments.end(), part.begin(), part.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdinFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdinFd, STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    if (posix_spawn(&pid, ffmpeg.c_str(), &actions, &attributes, argv.data(), environ) != 0) pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool succeeded(pid_t pid) {
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}  // namespace

std::string VideoEncoder::findFfmpeg() {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/ffmpeg";
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

VideoEncoder::VideoEncoder(const std::string& ffmpeg, const std::string& path, int width, int height, int fps)
    : ffmpeg(ffmpeg), path(path), picturesPath(path + ".pictures"), width(width), height(height) {
    // A write to an ffmpeg that has stopped fails instead of ending the program.
    signal(SIGPIPE, SIG_IGN);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    // sRGB pixels become BT.709 YUV, tagged so that players convert them back the same way.
    const std::vector<std::string> encode = {
        "-f", "rawvideo", "-pix_fmt", "rgb24", "-video_size", size, "-framerate", std::to_string(fps),
        "-i", "pipe:0", "-vf", "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p",
        "-color_primaries", "bt709", "-color_trc", "bt709", "-colorspace", "bt709",
        "-c:v", "libx264", "-preset", "medium", "-crf", "18"};
    encoder = spawnFfmpeg(ffmpeg, {QUIET, encode, BIT_EXACT, {"-f", "mp4", picturesPath}}, fds[0]);
    close(fds[0]);
    pipeToEncoder = fds[1];
}

VideoEncoder::~VideoEncoder() {
    if (pipeToEncoder >= 0) close(pipeToEncoder);
    if (encoder > 0) waitpid(encoder, nullptr, 0);
    std::remove(picturesPath.c_str());
}

bool VideoEncoder::addFrame(const WindowPixels& pixels) {
    frameBytes.assign(size_t(width) * size_t(height) * 3, '\0');
    const size_t rowBytes = size_t(std::min(width, pixels.width)) * 3;
    for (int row = 0; row < std::min(height, pixels.height); ++row)
        std::memcpy(&frameBytes[size_t(row) * size_t(width) * 3], &pixels.rgb[size_t(row) * size_t(pixels.width) * 3],
                    rowBytes);
    size_t written = 0;
    while (pipeToEncoder >= 0 && written < frameBytes.size()) {
        const ssize_t count = write(pipeToEncoder, frameBytes.data() + written, frameBytes.size() - written);
        if (count < 0) return false;
        written += size_t(count);
    }
    return written == frameBytes.size();
}

bool VideoEncoder::finish(const std::string& musicPath) {
    close(pipeToEncoder);
    pipeToEncoder = -1;
    const bool encoded = succeeded(encoder);
    encoder = -1;
    // The pictures are copied as they are; faststart puts the index first, so that a browser can
    // play the clip while it loads.
    const std::vector<std::string> join = {"-i", picturesPath, "-i", musicPath, "-map", "0:v", "-map", "1:a",
                                           "-c:v", "copy", "-c:a", "aac", "-b:a", "192k",
                                           "-movflags", "+faststart"};
    return encoded && succeeded(spawnFfmpeg(ffmpeg, {QUIET, {"-nostdin"}, join, BIT_EXACT, {path}}, -1));
}
