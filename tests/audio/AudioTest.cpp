// The audio layer: the spectrum, decoding and its errors, the music player and the committed
// track. The mixer's loop, sample for sample through a device: tests/program/MusicRunTest.cpp.
// Test signals are written as float WAV, so they reach the decoder unrounded.
#include <gmock/gmock.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <tuple>

#include "audio/AudioSystem.h"
#include "audio/LoopSynthesizer.h"
#include "audio/Mixer.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundFile.h"
#include "tests/TestFiles.h"

namespace {
constexpr double BIN_TWO_HZ = 2.0 * MIX_RATE / FFT_SIZE;  // about 86.13 Hz
constexpr const char* TRACK = "media/loop_space_rocket.mp3";

std::vector<float> sine(int frames, double amplitude, int rate = MIX_RATE) {
    std::vector<float> samples(size_t(frames), 0.0f);
    for (int frame = 0; frame < frames; ++frame)
        samples[size_t(frame)] = float(amplitude * std::sin(6.283185307179586 * BIN_TWO_HZ * frame / rate));
    return samples;
}
// Written as `channels` interleaved channels; returns the path.
std::string writeWav(const std::string& name, const std::vector<float>& samples, int channels, int rate = MIX_RATE) {
    const std::string path = temporaryPath(name).string();
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / channels);
    sf_close(file);
    return path;
}
// Bin 2 reads `amplitude`; every other bin stays near zero, and none is negative.
void expectOnlyBinTwo(std::vector<float> values, double amplitude, float tolerance) {
    EXPECT_NEAR(values[2], amplitude, tolerance);
    values[2] = 0.0f;
    EXPECT_THAT(values, testing::Each(testing::AllOf(testing::Ge(0.0f), testing::Le(tolerance))));
}

// A manual-mode system playing one file once, advanced by two FFT windows.
struct Playing {
    explicit Playing(const std::string& path) {
        createAudioSystem(&system);
        system->initManual(4);
        EXPECT_EQ(system->createSound(path.c_str(), &sound), AUDIO_OK);
        EXPECT_EQ(system->playSound(sound, &channel), AUDIO_OK);
        pull(2 * FFT_SIZE);
    }
    ~Playing() { system->release(); }
    void pull(int frames) {
        std::vector<float> output(size_t(frames) * MIX_CHANNELS);
        system->pull(output.data(), frames);
    }
    std::vector<float> spectrum(int offset) {
        std::vector<float> values(SPECTRUM_SIZE, -1.0f);
        EXPECT_EQ(channel->getSpectrum(values.data(), SPECTRUM_SIZE, offset, SPECTRUM_WINDOW_RECT), AUDIO_OK);
        return values;
    }
    AudioSystem* system = nullptr;
    Sound* sound = nullptr;
    Channel* channel = nullptr;
};

}  // namespace

// Half amplitude, so that a squared magnitude reads wrong too.
TEST(Spectrum, ABinCentredSineReadsItsAmplitudeOnItsSideAtAnyRate) {
    // Offset 0 reads the left side of the stream, 1 the right; mono plays on both.
    std::vector<float> rightOnly;
    for (float sample : sine(4 * FFT_SIZE, 1.0)) rightOnly.insert(rightOnly.end(), {0.0f, sample});
    Playing right(writeWav("right.wav", rightOnly, 2));
    expectOnlyBinTwo(right.spectrum(1), 1.0, 1e-3f);
    expectOnlyBinTwo(right.spectrum(0), 0.0, 1e-6f);
    // A sound released while it plays falls silent at once: its samples are freed.
    EXPECT_EQ(right.sound->release(), AUDIO_OK);
    right.pull(FFT_SIZE);
    EXPECT_FALSE(right.channel->isPlaying());
    // Half the rate plays at its own pitch (resampled to twice the frames), so bin 2 still reads it.
    Playing mono(writeWav("mono.wav", sine(2 * FFT_SIZE, 0.5, MIX_RATE / 2), 1, MIX_RATE / 2));
    for (int offset : {0, 1}) expectOnlyBinTwo(mono.spectrum(offset), 0.5, 2e-3f);

    // Bad requests are refused and leave the values alone; so are ended and closed channels.
    std::vector<float> kept(SPECTRUM_SIZE, 0.25f);
    Channel& channel = *mono.channel;
    for (const auto& [values, size, offset, window] :
         {std::tuple{kept.data(), SPECTRUM_SIZE, 2, SPECTRUM_WINDOW_RECT}, {kept.data(), SPECTRUM_SIZE, -1, SPECTRUM_WINDOW_RECT},
          {kept.data(), 256, 0, SPECTRUM_WINDOW_RECT}, {kept.data(), SPECTRUM_SIZE, 0, SpectrumWindow(7)},
          {nullptr, SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT}})
        EXPECT_EQ(channel.getSpectrum(values, size, offset, window), AUDIO_ERR_ARGUMENT) << size << offset;
    mono.pull(4 * FFT_SIZE);
    EXPECT_FALSE(channel.isPlaying());
    EXPECT_EQ(channel.getSpectrum(kept.data(), SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT), AUDIO_ERR_CHANNEL);
    mono.system->close();
    EXPECT_EQ(channel.getSpectrum(kept.data(), SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT), AUDIO_ERR_UNINITIALIZED);
    EXPECT_EQ(kept, std::vector<float>(SPECTRUM_SIZE, 0.25f));
}

// The spectrum reads the last FFT_SIZE frames handed out, oldest first: with a steady tone any
// order would read the same, so every sample here is told apart by its value.
TEST(Mixer, TheSpectrumInputIsTheLatestOutputInItsOrder) {
    std::vector<float> counting(4 * FFT_SIZE), output((FFT_SIZE + 3) * MIX_CHANNELS), latest(FFT_SIZE);
    std::iota(counting.begin(), counting.end(), 1.0f);
    Mixer mixer(1);
    mixer.start(&counting, counting.data(), counting.size() / MIX_CHANNELS, false);
    mixer.mix(output.data(), FFT_SIZE + 3);  // the ring wraps inside one call
    ASSERT_TRUE(mixer.copyLatest(0, 1, latest.data()));
    for (size_t frame = 0; frame < FFT_SIZE; ++frame)
        ASSERT_EQ(latest[frame], output[(frame + 3) * MIX_CHANNELS + 1]) << frame;
    // The volume scales what is heard, not what the spectrum reads.
    mixer.setVolume(0.25f);
    mixer.mix(output.data(), 1);
    ASSERT_TRUE(mixer.copyLatest(0, 1, latest.data()));
    EXPECT_EQ(output[1], 0.25f * latest[FFT_SIZE - 1]);
}

TEST(SoundFile, UnusableFilesAndUnreadySystemsGiveTheirOwnCodes) {
    AudioSystem* system = nullptr;
    ASSERT_EQ(createAudioSystem(&system), AUDIO_OK);
    Sound* sound = nullptr;
    Channel* channel = nullptr;
    EXPECT_EQ(system->createSound(TRACK, &sound), AUDIO_ERR_UNINITIALIZED);
    EXPECT_EQ(system->playSound(sound, &channel), AUDIO_ERR_UNINITIALIZED);
    EXPECT_EQ(system->initManual(0), AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(system->initManual(1), AUDIO_OK);
    EXPECT_EQ(system->initManual(1), AUDIO_ERR_INITIALIZED);
    EXPECT_EQ(system->playSound(nullptr, &channel), AUDIO_ERR_ARGUMENT);
    // Its one channel taken, a second sound finds none free.
    ASSERT_EQ(system->createSound(TRACK, &sound), AUDIO_OK);
    ASSERT_EQ(system->playSound(sound, &channel), AUDIO_OK);
    EXPECT_EQ(system->playSound(sound, &channel), AUDIO_ERR_NO_FREE_CHANNEL);
    EXPECT_EQ(channel, nullptr);

    const std::string track = fileBytes(TRACK);
    EXPECT_EQ(system->createSound(temporaryPath("missing.mp3").string().c_str(), &sound), AUDIO_ERR_FILE_NOT_FOUND);
    for (const std::string& path :
         {testing::TempDir(), writeFileBytes(temporaryPath("text.wav"), "not a sound\n"),
          writeFileBytes(temporaryPath("cut.mp3"), track.substr(0, track.size() / 2))}) {
        EXPECT_EQ(system->createSound(path.c_str(), &sound), AUDIO_ERR_FORMAT) << path;
        EXPECT_EQ(sound, nullptr);
    }
    system->release();

    std::set<std::string> sentences;
    for (int code = AUDIO_OK; code <= AUDIO_ERR_NO_FREE_CHANNEL; ++code) sentences.insert(audioErrorString(AudioResult(code)));
    EXPECT_EQ(sentences.size(), size_t(AUDIO_ERR_NO_FREE_CHANNEL + 1));
    EXPECT_EQ(sentences.count("Unknown error."), 0u);
    EXPECT_STREQ(audioErrorString(AudioResult(84)), "Unknown error.");
}

// Playing the track, its looping and a missing track are checked with the scene
// (tests/gl/MusicTest.cpp, tests/gl/BadInputTest.cpp, tests/program/MusicRunTest.cpp); here,
// a player without a system, and that a failed request leaves the values alone.
TEST(MusicPlayer, WithoutASystemItKeepsTheReasonAndLeavesTheSpectrumAlone) {
    MusicPlayer* orphan = createMusic(nullptr, TRACK);
    EXPECT_EQ(orphan->result, AUDIO_ERR_UNINITIALIZED);
    std::vector<float> values(MUSIC_SPECTRUM_SIZE, 0.25f);
    requestSpectrum(*orphan, values.data());  // the line it prints: tests/gl/BadInputTest.cpp
    EXPECT_EQ(values, std::vector<float>(MUSIC_SPECTRUM_SIZE, 0.25f));
    releaseMusic(orphan);
    releaseMusic(nullptr);
    closeAudio(nullptr);
    EXPECT_EQ(std::count(spectrumBuffer(), spectrumBuffer() + MUSIC_SPECTRUM_SIZE, 0.0f), MUSIC_SPECTRUM_SIZE);
}

// Bin 2 pulsing with the beat of the playing track: tests/gl/MusicTest.cpp.
TEST(MusicTrack, TheLoopIsSeamlessAndTheCommittedTrackDecodesToIt) {
    const std::vector<float> loop = synthesizeLoop();
    ASSERT_EQ(loop.size(), size_t(LOOP_FRAME_COUNT) * MIX_CHANNELS);
    const auto [quietest, loudest] = std::minmax_element(loop.begin(), loop.end());
    EXPECT_NEAR(std::max(-*quietest, *loudest), LOOP_PEAK, 1e-6);
    // The step from the last frame to the first is of the size the music takes around it; a cut
    // note or a missing tail would jump by many times that.
    const size_t frames = loop.size() / 2;
    for (size_t side = 0; side < 2; ++side) {
        double steps = 0.0;
        for (size_t f = 1; f < 2000; ++f)
            steps += std::fabs(loop[f * 2 + side] - loop[f * 2 - 2 + side]) + std::fabs(loop[(frames - f) * 2 + side] - loop[(frames - f - 1) * 2 + side]);
        EXPECT_LE(std::fabs(loop[side] - loop[(frames - 1) * 2 + side]), 3.0 * steps / 3998) << side;
    }
    EXPECT_EQ(loop, synthesizeLoop());
    DecodedSound track;
    ASSERT_EQ(decodeSoundFile(TRACK, track), AUDIO_OK);
    EXPECT_EQ(track.sourceRate, MIX_RATE);
    EXPECT_EQ(track.sourceChannels, 2);
    EXPECT_EQ(track.samples.size(), loop.size());
}
