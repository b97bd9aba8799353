// The music as the running program plays it, and the fur it bends.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

#include "app/FrameDriver.h"
#include "app/Scene.h"
#include "audio/SoundFile.h"
#include "tests/gl/GlTestSupport.h"

namespace {
const int FRAMES_OF_AUDIO_PER_FRAME = 735;  // 44100 / 60
const char* const TRACK = FUZZLETS_SOURCE_DIR "/media/loop_space_rocket.mp3";

std::vector<float> readFloats(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::vector<float> values(size_t(file.tellg()) / sizeof(float));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(values.data()), std::streamsize(values.size() * sizeof(float)));
    return values;
}
}  // namespace

TEST(MusicTest, BinTwoFollowsTheBeatAndBendsTheShadowFur) {
    Scene* s = startTestScene(AUDIO_OUTPUT_MANUAL);
    std::vector<float> mix(FRAMES_OF_AUDIO_PER_FRAME * 2);
    runFrames(1);  // the first colour pass gives every ball its model matrix
    float lowest = 1.0f, highest = 0.0f;
    int rises = 0;
    float previous = 0.0f;
    for (int frame = 0; frame < 120; ++frame) {
        s->audioSystem->pull(mix.data(), FRAMES_OF_AUDIO_PER_FRAME);
        advanceWorld();
        const float value = s->spectrum[2];
        renderShadowMap();
        // The last ball drawn into the shadow map is ball 5, of size 1.
        GLfloat gravity[4];
        glGetUniformfv(s->program("depth"), s->programs.location("depth", "gravity"), gravity);
        const float bend = std::sqrt(gravity[0] * gravity[0] + gravity[1] * gravity[1] + gravity[2] * gravity[2]);
        EXPECT_NEAR(bend, std::fabs(2.0f * value * value - 1.0f), 1e-4f) << frame;
        drawView();
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        if (value > 0.2f && previous <= 0.2f) ++rises;
        previous = value;
    }
    // Two seconds at 120 beats a minute: four kicks, each lifting bin 2 well above the quiet.
    EXPECT_LT(lowest, 0.05f);
    EXPECT_GT(highest, 0.3f);
    EXPECT_GE(rises, 3);
}

TEST(MusicTest, TheRunningProgramPlaysTheTrackLoopedWithoutAGap) {
    const std::string output = "/tmp/fuzzlets-disk-audio-" + std::to_string(getpid()) + ".raw";
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        if (!freopen("/dev/null", "w", stdout) || chdir(FUZZLETS_SOURCE_DIR) != 0) _exit(126);
        execl(FUZZLETS_BINARY, FUZZLETS_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::seconds(60));
    kill(pid, SIGKILL);  // SDL turns SIGTERM into a quit event that GLUT never reads
    waitpid(pid, nullptr, 0);

    const std::vector<float> written = readFloats(output);
    std::remove(output.c_str());
    DecodedSound track;
    ASSERT_EQ(decodeSoundFile(TRACK, track), AUDIO_OK);
    const size_t trackSamples = track.samples.size();
    // More than the whole track was written, so the loop point was crossed.
    const auto start = std::find_if(written.begin(), written.end(), [](float v) { return v != 0.0f; });
    ASSERT_NE(start, written.end());
    const size_t offset = size_t(start - written.begin());
    ASSERT_GT(written.size() - offset, trackSamples + 44100 * 2);
    // The device was silent until the music started; from there on the output is the track,
    // sample for sample, and again from its first sample right after its last.
    const size_t leadingZeros = size_t(std::find_if(track.samples.begin(), track.samples.end(),
                                                    [](float v) { return v != 0.0f; }) - track.samples.begin());
    size_t mismatches = 0;
    for (size_t i = offset; i < written.size(); ++i)
        if (written[i] != track.samples[(i - offset + leadingZeros) % trackSamples]) ++mismatches;
    EXPECT_EQ(mismatches, 0u);
}
