#include "audio/AudioSystem.h"
#include "audio/LoopSynthesizer.h"
#include "audio/SoundFile.h"
#include "tests/audio/AudioTestFiles.h"

#include <algorithm>

namespace {

constexpr size_t SEAM_NEIGHBOURHOOD = 2000;  // frames on each side of a seam compared
constexpr float SEAM_TOLERANCE = 3.0f;
constexpr int BEATS_CHECKED = 16;
constexpr int ON_BEAT_FRAMES = 4410;    // 0.1 s in: kick and bass sound
constexpr int OFF_BEAT_FRAMES = 21500;  // just before the next beat: both have died away
constexpr float BEAT_CONTRAST = 4.0f;

// Mean size of the step between neighbouring frames of one side in [first, first + count).
float meanStep(const std::vector<float>& samples, size_t first, size_t count, int side) {
    double sum = 0.0;
    for (size_t frame = first + 1; frame < first + count; ++frame) {
        size_t index = frame * 2 + size_t(side);
        sum += std::fabs(samples[index] - samples[index - 2]);
    }
    return float(sum / double(count - 1));
}

// The step from the last frame to the first is of the size the music takes around it; a cut
// note or a missing tail would jump by many times that.
void expectSeamless(const std::vector<float>& samples) {
    size_t frames = samples.size() / 2;
    for (int side = 0; side < 2; ++side) {
        float seam = std::fabs(samples[size_t(side)] - samples[(frames - 1) * 2 + size_t(side)]);
        float nearEnd = meanStep(samples, frames - SEAM_NEIGHBOURHOOD, SEAM_NEIGHBOURHOOD, side);
        float nearStart = meanStep(samples, 0, SEAM_NEIGHBOURHOOD, side);
        EXPECT_LE(seam, SEAM_TOLERANCE * (nearEnd + nearStart) / 2.0f) << "side " << side;
    }
}

}  // namespace

TEST(MusicTrack, SynthesisIsALoopThatRepeats) {
    std::vector<float> loop = synthesizeLoop();
    ASSERT_EQ(loop.size(), size_t(LOOP_FRAME_COUNT) * MIX_CHANNELS);
    float peak = 0.0f;
    for (float sample : loop) peak = std::max(peak, std::fabs(sample));
    EXPECT_NEAR(peak, LOOP_PEAK, 1e-6);
    expectSeamless(loop);
    EXPECT_EQ(loop, synthesizeLoop());
}

TEST(MusicTrack, CommittedTrackDecodesGaplesslyAndFlowsIntoItsStart) {
    DecodedSound track;
    ASSERT_EQ(decodeSoundFile(COMMITTED_TRACK, track), AUDIO_OK);
    EXPECT_EQ(track.sourceRate, MIX_RATE);
    EXPECT_EQ(track.sourceChannels, 2);
    EXPECT_EQ(track.samples.size(), size_t(LOOP_FRAME_COUNT) * MIX_CHANNELS);
    expectSeamless(track.samples);
}

// What the fur sees: spectrum bin 2 of the playing track is high on the beat and low between.
TEST(MusicTrack, BinTwoPulsesWithTheBeat) {
    AudioSystem* system = nullptr;
    createAudioSystem(&system);
    system->initManual(1);
    Sound* sound = nullptr;
    Channel* channel = nullptr;
    ASSERT_EQ(system->createSound(COMMITTED_TRACK, &sound), AUDIO_OK);
    sound->setLooping(true);
    ASSERT_EQ(system->playSound(sound, &channel), AUDIO_OK);

    std::vector<float> output(size_t(LOOP_FRAMES_PER_BEAT) * MIX_CHANNELS);
    std::vector<float> values(SPECTRUM_SIZE);
    auto binTwoAfter = [&](int frames) {
        system->pull(output.data(), frames);
        channel->getSpectrum(values.data(), SPECTRUM_SIZE, 1, SPECTRUM_WINDOW_RECT);
        return values[2];
    };
    for (int beat = 0; beat < BEATS_CHECKED; ++beat) {
        float onBeat = binTwoAfter(ON_BEAT_FRAMES);
        float offBeat = binTwoAfter(OFF_BEAT_FRAMES - ON_BEAT_FRAMES);
        binTwoAfter(LOOP_FRAMES_PER_BEAT - OFF_BEAT_FRAMES);
        EXPECT_GT(onBeat, BEAT_CONTRAST * offBeat) << "beat " << beat;
        EXPECT_GT(onBeat, 0.3f) << "beat " << beat;
    }
    system->release();
}
