#include "audio/AudioFormat.h"
#include "audio/Mixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr size_t SHORT_FRAMES = 5;
constexpr int PULLED_FRAMES = 23;
constexpr int CHUNK_FRAMES = 7;  // not a divisor of the sound, so wraps fall inside a chunk

// Frame f holds (f + 1, -(f + 1)): every sample is told apart from its neighbours.
std::vector<float> countingSound() {
    std::vector<float> samples;
    for (size_t frame = 0; frame < SHORT_FRAMES; ++frame) {
        samples.push_back(float(frame + 1));
        samples.push_back(-float(frame + 1));
    }
    return samples;
}

std::vector<float> pullInChunks(Mixer& mixer, int frames) {
    std::vector<float> output(size_t(frames) * MIX_CHANNELS);
    for (int first = 0; first < frames; first += CHUNK_FRAMES)
        mixer.mix(&output[size_t(first) * MIX_CHANNELS], std::min(CHUNK_FRAMES, frames - first));
    return output;
}

}  // namespace

TEST(Mixer, LoopRepeatsSampleForSampleWithoutGap) {
    std::vector<float> sound = countingSound();
    Mixer mixer(2);
    ASSERT_EQ(mixer.start(&sound, sound.data(), SHORT_FRAMES, true), 0);
    std::vector<float> output = pullInChunks(mixer, PULLED_FRAMES);
    for (size_t frame = 0; frame < size_t(PULLED_FRAMES); ++frame) {
        EXPECT_EQ(output[frame * 2], float(frame % SHORT_FRAMES + 1)) << "frame " << frame;
        EXPECT_EQ(output[frame * 2 + 1], -float(frame % SHORT_FRAMES + 1)) << "frame " << frame;
    }
    EXPECT_TRUE(mixer.isPlaying(0));
}

TEST(Mixer, OneShotEndsVoicesSumAndChannelsRunOut) {
    std::vector<float> sound = countingSound();
    Mixer mixer(2);
    ASSERT_EQ(mixer.start(&sound, sound.data(), SHORT_FRAMES, false), 0);
    ASSERT_EQ(mixer.start(&sound, sound.data(), SHORT_FRAMES, true), 1);
    EXPECT_EQ(mixer.start(&sound, sound.data(), SHORT_FRAMES, true), -1);
    std::vector<float> output = pullInChunks(mixer, 2 * SHORT_FRAMES);
    EXPECT_EQ(output[0], 2.0f);                          // both voices at frame 0
    EXPECT_EQ(output[SHORT_FRAMES * 2], 1.0f);           // only the looping one after the end
    EXPECT_FALSE(mixer.isPlaying(0));
    EXPECT_EQ(mixer.start(&sound, sound.data(), SHORT_FRAMES, false), 0);

    mixer.stopAll(&sound);
    output = pullInChunks(mixer, 1);
    EXPECT_EQ(output[0], 0.0f);
    EXPECT_FALSE(mixer.isPlaying(1));
}

TEST(Mixer, LatestSamplesAreTheLastOnesHandedOut) {
    std::vector<float> sound = countingSound();
    Mixer mixer(1);
    std::vector<float> latest(FFT_SIZE);
    EXPECT_FALSE(mixer.copyLatest(0, 0, latest.data()));
    mixer.start(&sound, sound.data(), SHORT_FRAMES, true);
    std::vector<float> output = pullInChunks(mixer, FFT_SIZE + 3);
    ASSERT_TRUE(mixer.copyLatest(0, 1, latest.data()));
    for (size_t index = 0; index < FFT_SIZE; ++index)
        ASSERT_EQ(latest[index], output[(index + 3) * 2 + 1]) << index;
}
