// The real program on SDL's disk driver, with no delay between buffers so that more than the
// whole track is written within seconds: what reached the output is the track, looped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "audio/SoundFile.h"
#include "tests/TestFiles.h"
#include "tests/program/RunningProgram.h"

namespace {
size_t leadingZeros(const std::vector<float>& samples) {
    return size_t(std::find_if(samples.begin(), samples.end(), [](float v) { return v != 0.0f; }) - samples.begin());
}
}  // namespace

TEST(MusicRunTest, TheRunningProgramPlaysTheTrackLoopedWithoutAGap) {
    DecodedSound track;
    ASSERT_EQ(decodeSoundFile(FUZZLETS_SOURCE_DIR "/media/loop_space_rocket.mp3", track), AUDIO_OK);
    const size_t trackSamples = track.samples.size();
    const std::string output = temporaryPath("disk-audio.raw").string();
    {
        RunningProgram program({FUZZLETS_BINARY},
                               {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIODELAY=0", "SDL_DISKAUDIOFILE=" + output});
        // The loop point crossed: the whole track and more.
        DiskAudio audio(output);
        waitUntil([&] { return audio.samplesSinceSound() >= trackSamples + 8 * 44100; },
                  "the whole track and four seconds more on the disk output");
    }
    const std::string bytes = fileBytes(output);
    std::vector<float> written(bytes.size() / sizeof(float));
    std::memcpy(written.data(), bytes.data(), written.size() * sizeof(float));
    std::remove(output.c_str());

    // Silence until the music started at the end of start-up; from there on the output is the
    // track sample for sample, and its first sample again right after its last.
    const size_t start = leadingZeros(written);
    const size_t trackStart = leadingZeros(track.samples);
    size_t mismatches = 0;
    for (size_t i = start; i < written.size(); ++i)
        if (written[i] != track.samples[(i - start + trackStart) % trackSamples]) ++mismatches;
    EXPECT_EQ(mismatches, 0u);
}
