// Turns drawn frames into a clip to share, with ffmpeg doing the encoding: the frames go
// to it raw through a pipe and become H.264, and once the last one is in, the music is added as
// the sound track. Bit-exact, single-threaded settings make the same frames and music give the
// same file.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/ChildProcess.h"
#include "render/Screenshot.h"

class VideoEncoder {
public:
    // The ffmpeg found on PATH, or an empty path when there is none.
    static std::filesystem::path findFfmpeg();

    // Starts ffmpeg for a video of width × height (both even, as yuv420p needs) at fps frames a
    // second, written to path once finish() has added the sound.
    VideoEncoder(const std::filesystem::path& ffmpeg, const std::string& path, int width, int height, int fps);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // A frame of another size (the window was resized) is cropped or padded with black from
    // its top left. False once ffmpeg no longer takes frames.
    bool addFrame(const WindowPixels& pixels);
    // Ends the pictures and makes the MP4 with the sound of the WAV file at musicPath. False
    // when ffmpeg failed; it has said why on standard error.
    bool finish(const std::string& musicPath);

private:
    std::filesystem::path ffmpeg;
    std::string path, picturesPath;
    int width, height;
    std::unique_ptr<ChildProcess> encoder;
    std::string frameBytes;
};
