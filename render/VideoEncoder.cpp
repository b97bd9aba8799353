#include "render/VideoEncoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
// Every ffmpeg run prints errors only and overwrites its output file.
const std::vector<std::string> QUIET = {"-hide_banner", "-loglevel", "error", "-nostats", "-y"};
// Output options that keep out of the file whatever differs from run to run: version strings,
// creation times, the order in which threads finish.
const std::vector<std::string> BIT_EXACT = {"-threads", "1", "-flags", "+bitexact", "-fflags", "+bitexact",
                                            "-map_metadata", "-1"};

std::vector<std::string> joined(const std::vector<std::vector<std::string>>& parts) {
    std::vector<std::string> arguments;
    for (const auto& part : parts) arguments.insert(arguments.end(), part.begin(), part.end());
    return arguments;
}
}  // namespace

std::filesystem::path VideoEncoder::findFfmpeg() { return ChildProcess::findOnPath("ffmpeg"); }

VideoEncoder::VideoEncoder(const std::filesystem::path& ffmpeg, const std::string& path, int width, int height,
                           int fps)
    : ffmpeg(ffmpeg), path(path), picturesPath(path + ".pictures"), width(width), height(height) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    // sRGB pixels become BT.709 YUV, tagged so that players convert them back the same way.
    const std::vector<std::string> encode = {
        "-f", "rawvideo", "-pix_fmt", "rgb24", "-video_size", size, "-framerate", std::to_string(fps),
        "-i", "pipe:0", "-vf", "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p",
        "-color_primaries", "bt709", "-color_trc", "bt709", "-colorspace", "bt709",
        "-c:v", "libx264", "-preset", "medium", "-crf", "18"};
    encoder = std::make_unique<ChildProcess>(ffmpeg, joined({QUIET, encode, BIT_EXACT, {"-f", "mp4", picturesPath}}),
                                             true);
}

VideoEncoder::~VideoEncoder() {
    encoder.reset();
    std::remove(picturesPath.c_str());
}

bool VideoEncoder::addFrame(const WindowPixels& pixels) {
    frameBytes.assign(size_t(width) * size_t(height) * 3, '\0');
    const size_t rowBytes = size_t(std::min(width, pixels.width)) * 3;
    for (int row = 0; row < std::min(height, pixels.height); ++row)
        std::memcpy(&frameBytes[size_t(row) * size_t(width) * 3], &pixels.rgb[size_t(row) * size_t(pixels.width) * 3],
                    rowBytes);
    return encoder && encoder->write(frameBytes.data(), frameBytes.size());
}

bool VideoEncoder::finish(const std::string& musicPath) {
    const bool encoded = encoder && encoder->finishedWell();
    encoder.reset();
    // The pictures are copied as they are; faststart puts the index first, so that a browser can
    // play the clip while it loads.
    const std::vector<std::string> join = {"-i", picturesPath, "-i", musicPath, "-map", "0:v", "-map", "1:a",
                                           "-c:v", "copy", "-c:a", "aac", "-b:a", "192k",
                                           "-movflags", "+faststart"};
    return encoded && ChildProcess(ffmpeg, joined({QUIET, {"-nostdin"}, join, BIT_EXACT, {path}}), false).finishedWell();
}
