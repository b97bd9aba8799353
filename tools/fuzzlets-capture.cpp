// Records the demo repeatably: the real start-up and frame driver with a fixed frame time and
// the music advanced by exactly one frame's worth of samples per frame, scripted input at given
// frames, the window written as PNG and the music as WAV, and with --video as an MP4 clip.
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/FrameClock.h"
#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/KeyTable.h"
#include "app/Scene.h"
#include "app/Settings.h"
#include "app/Window.h"
#include "platform/StopRequests.h"
#include "render/Screenshot.h"
#include "render/VideoEncoder.h"

namespace {

const std::string USAGE =
    "usage: fuzzlets-capture [options]\n"
    "Runs Fuzzlets for a number of frames with a fixed frame time and writes what it shows.\n"
    "\n"
    "  --frames N         frames to draw (default 300)\n"
    "  --fps F            frames per simulated second; every frame takes 1/F s (default 60)\n"
    "  --every K          write the window as PNG every K frames (default: the last frame only)\n"
    "  --sequence         write every frame (the same as --every 1), for a clip\n"
    "  --size WxH         window size (default 640x480)\n"
    "  --output DIR       folder for frame-NNNNN.png and music.wav (default captures)\n"
    "  --set NAME=VALUE   start with a setting changed (repeatable); the settings are below\n"
    "  --video FILE.mp4   also write every frame, with the music, as H.264 video (needs\n"
    "                     ffmpeg, and an even width and height)\n"
    "  --at FRAME:EVENT   scripted input before that frame is drawn; EVENT is one of\n"
    "                       key=C      press key C, a key of the table below but Escape\n"
    "                       release=C  release key C\n"
    "                       tap=C      press and release C\n"
    "                       move=DX,DY move the pointer DX, DY pixels from the window centre\n"
    "                       set=NAME=VALUE  change a setting\n"
    "                     F12 writes fuzzlets-NNNN.png into the output folder; Tab shows the panel\n"
    "  --quiet            no progress line\n"
    "  --help             this text\n"
    "\n"
    "settings:\n" +
    settingsHelpText("  ") +
    "\n"
    "keys:\n" +
    keyTableText("  ");

// The keys a script names rather than types, by the names the key table gives them.
const char* const F12_NAME = "F12";
const char* const TAB_NAME = "Tab";

struct ScriptedEvent {
    int frame = 0;
    std::string kind;
    unsigned char key = 0;
    int specialKey = 0;  // a GLUT_KEY_ code instead of key
    int dx = 0, dy = 0;
    std::string setting;  // name=value for set=
};

struct Options {
    int frames = 300;
    double fps = 60.0;
    int every = 0;
    int width = WINDOW_WIDTH, height = WINDOW_HEIGHT;
    std::string output = "captures";
    std::string video;  // the clip's path
    std::filesystem::path ffmpeg;  // the ffmpeg that makes it
    std::vector<ScriptedEvent> events;
    Settings settings;
    bool quiet = false;
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "fuzzlets-capture: %s\n%s", message.c_str(), USAGE.c_str());
    std::exit(2);
}

int parsePositive(const char* text, const char* option) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value <= 0 || value > 100000000)
        fail(std::string(option) + " needs a positive whole number, not '" + text + "'");
    return int(value);
}

ScriptedEvent parseEvent(const std::string& text) {
    ScriptedEvent event;
    const size_t colon = text.find(':');
    const size_t equals = text.find('=');
    if (colon == std::string::npos || equals == std::string::npos || equals < colon)
        fail("--at needs FRAME:EVENT, not '" + text + "'");
    event.frame = parsePositive(text.substr(0, colon).c_str(), "--at");
    event.kind = text.substr(colon + 1, equals - colon - 1);
    const std::string value = text.substr(equals + 1);
    if (event.kind == "key" || event.kind == "release" || event.kind == "tap") {
        if (value == F12_NAME)
            event.specialKey = GLUT_KEY_F12;
        else if (value == TAB_NAME)
            event.key = '\t';
        else if (value.size() != 1 || value[0] == 27)
            fail("--at " + event.kind + "= takes one key, " + F12_NAME + " or " + TAB_NAME);
        else
            event.key = static_cast<unsigned char>(value[0]);
    } else if (event.kind == "move") {
        if (std::sscanf(value.c_str(), "%d,%d", &event.dx, &event.dy) != 2)
            fail("--at move= takes DX,DY");
    } else if (event.kind == "set") {
        // Checked now, so that a bad setting stops the capture before anything is drawn.
        Settings scratch;
        const std::string problem = applySettingText(scratch, value);
        if (!problem.empty()) fail(problem);
        event.setting = value;
    } else {
        fail("unknown event '" + event.kind + "'");
    }
    return event;
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const auto value = [&]() -> const char* {
            if (i + 1 >= argc) fail(option + " needs a value");
            return argv[++i];
        };
        if (option == "--help") {
            std::fputs(USAGE.c_str(), stdout);
            std::exit(0);
        } else if (option == "--frames") {
            options.frames = parsePositive(value(), "--frames");
        } else if (option == "--fps") {
            options.fps = parsePositive(value(), "--fps");
        } else if (option == "--every") {
            options.every = parsePositive(value(), "--every");
        } else if (option == "--sequence") {
            options.every = 1;
        } else if (option == "--size") {
            const char* size = value();
            if (std::sscanf(size, "%dx%d", &options.width, &options.height) != 2 || options.width <= 0 ||
                options.height <= 0)
                fail(std::string("--size needs WxH, not '") + size + "'");
        } else if (option == "--output") {
            options.output = value();
        } else if (option == "--set") {
            const std::string problem = applySettingText(options.settings, value());
            if (!problem.empty()) fail(problem);
        } else if (option == "--video") {
            options.video = std::filesystem::absolute(value()).string();
        } else if (option == "--at") {
            options.events.push_back(parseEvent(value()));
        } else if (option == "--quiet") {
            options.quiet = true;
        } else {
            fail("unknown option '" + option + "'");
        }
    }
    if (options.every == 0) options.every = options.frames;
    if (!options.video.empty()) {
        if (options.width % 2 || options.height % 2) fail("--video needs an even width and height");
        options.ffmpeg = VideoEncoder::findFfmpeg();
        if (options.ffmpeg.empty()) fail("--video needs ffmpeg (Debian's package ffmpeg; ffmpeg.exe on Windows), and none is on PATH");
    }
    // Start-up may move into the data folder; the output stays where the user meant it.
    options.output = std::filesystem::absolute(options.output).string();
    return options;
}

// Fails before anything is drawn when path cannot be written, and leaves no new file behind.
void requireWritable(const std::string& path, const std::string& failure) {
    const bool existed = std::filesystem::exists(path);
    FILE* file = std::fopen(path.c_str(), "a");
    if (!file) fail(failure);
    std::fclose(file);
    if (!existed) std::remove(path.c_str());
}

void prepareOutputs(const Options& options) {
    std::error_code ignored;  // an existing folder is fine; one that cannot be made fails below
    std::filesystem::create_directories(options.output, ignored);
    requireWritable(options.output + "/.fuzzlets-capture",
                    "cannot write to the output folder '" + options.output + "'");
    if (!options.video.empty()) requireWritable(options.video, "cannot write '" + options.video + "'");
}

void applyEvents(const Options& options, int frame) {
    for (const ScriptedEvent& event : options.events) {
        if (event.frame != frame) continue;
        const bool press = event.kind == "key" || event.kind == "tap";
        if (press && event.specialKey) specialKey(event.specialKey, 0, 0);
        if (press && !event.specialKey) keyboard(event.key, 0, 0);
        if (event.kind == "release" || event.kind == "tap") keyboardUp(event.key, 0, 0);
        if (event.kind == "move")
            passiveMotion(scene->pointerCentreX + event.dx, scene->pointerCentreY + event.dy);
        if (event.kind == "set") applySettingText(scene->settings, event.setting);
    }
}

// The music's samples for each frame, pulled from the mixer as a device would, and kept.
class MusicRecorder {
public:
    MusicRecorder(const std::string& path, double fps) : fps(fps) {
        SF_INFO info = {};
        info.samplerate = MIX_RATE;
        info.channels = MIX_CHANNELS;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        file = sf_open(path.c_str(), SFM_WRITE, &info);
        if (!file) fail("cannot write '" + path + "'");
    }
    ~MusicRecorder() { sf_close(file); }

    void pullFrame(int frame) {
        // Whole samples per frame, spread so that no rounding accumulates over a long capture.
        const long long end = std::llround(double(frame) * MIX_RATE / fps);
        const int count = int(end - pulled);
        samples.resize(size_t(count) * MIX_CHANNELS);
        if (scene->audioSystem) scene->audioSystem->pull(samples.data(), count);
        sf_writef_float(file, samples.data(), count);
        pulled = end;
    }

private:
    double fps;
    SNDFILE* file = nullptr;
    long long pulled = 0;
    std::vector<float> samples;
};

void reportProgress(int frame, int frames) {
    std::fprintf(stderr, "\rframe %d/%d", frame, frames);
    if (frame == frames) std::fputc('\n', stderr);
}

// Draws the frames with their music, writing the chosen ones as PNG and every one to the video
// when there is one; the WAV file is complete when this returns.
void captureFrames(const Options& options, const std::string& musicPath, VideoEncoder* video) {
    int frame = 0;
    WindowPixels pixels;
    readEachFrame([&] {
        if (video || frame % options.every == 0) pixels = readWindowPixels(GL_BACK);
    });
    MusicRecorder music(musicPath, options.fps);
    const bool showProgress = !options.quiet && options.frames >= 300;
    // A stop request ends the capture between frames; what was written so far stays readable.
    for (frame = 1; frame <= options.frames && !stopRequested(); ++frame) {
        applyEvents(options, frame);
        music.pullFrame(frame);
        display();
        glutMainLoopEvent();
        if (frame % options.every == 0) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame-%05d.png", frame);
            if (!writePng(options.output + name, pixels)) fail("cannot write '" + options.output + name + "'");
        }
        if (video && !video->addFrame(pixels)) break;  // ffmpeg has said why; finish reports it
        if (showProgress && (frame % 50 == 0 || frame == options.frames)) reportProgress(frame, options.frames);
    }
    readEachFrame(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    prepareOutputs(options);

    FrameClock::useFixedFrameTime(1.0 / options.fps);
    int glutArgc = 1;
    startFuzzlets(&glutArgc, argv, AUDIO_OUTPUT_MANUAL, options.settings);
    ignoreLiveInput();
    scene->screenshotFolder = options.output;
    if (options.width != WINDOW_WIDTH || options.height != WINDOW_HEIGHT)
        glutReshapeWindow(options.width, options.height);
    glutMainLoopEvent();
    drawOnlyWhenCalled();

    const std::string musicPath = options.output + "/music.wav";
    std::unique_ptr<VideoEncoder> video;
    if (!options.video.empty())
        video = std::make_unique<VideoEncoder>(options.ffmpeg, options.video, options.width, options.height,
                                               int(options.fps));
    captureFrames(options, musicPath, video.get());
    Scene::destroyInstance();
    if (video && !video->finish(musicPath)) {
        std::fprintf(stderr, "fuzzlets-capture: ffmpeg could not make '%s'\n", options.video.c_str());
        return 1;
    }
    return stopExitStatus();
}
