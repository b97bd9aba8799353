#include "audio/AudioSystem.h"
#include "tests/audio/AudioTestFiles.h"

#include <algorithm>

namespace {

constexpr int TEST_CHANNELS = 4;
constexpr int SOUND_FRAMES = 4 * FFT_SIZE;

float largestExcept(const std::vector<float>& values, int skipped) {
    float largest = 0.0f;
    for (int bin = 0; bin < int(values.size()); ++bin)
        if (bin != skipped) largest = std::max(largest, values[size_t(bin)]);
    return largest;
}

bool allNonNegative(const std::vector<float>& values) {
    return std::all_of(values.begin(), values.end(), [](float value) { return value >= 0.0f; });
}

// A manual-mode system playing one file, advanced by two FFT windows.
class PlayingFile {
public:
    explicit PlayingFile(const std::string& path) {
        createAudioSystem(&system);
        system->initManual(TEST_CHANNELS);
        result = system->createSound(path.c_str(), &sound);
        if (result == AUDIO_OK) result = system->playSound(sound, &channel);
        std::vector<float> output(2 * FFT_SIZE * MIX_CHANNELS);
        system->pull(output.data(), 2 * FFT_SIZE);
    }
    ~PlayingFile() { system->release(); }
    std::vector<float> spectrum(int offset) {
        std::vector<float> values(SPECTRUM_SIZE, -1.0f);
        EXPECT_EQ(channel->getSpectrum(values.data(), SPECTRUM_SIZE, offset, SPECTRUM_WINDOW_RECT),
                  AUDIO_OK);
        return values;
    }

    AudioSystem* system = nullptr;
    Sound* sound = nullptr;
    Channel* channel = nullptr;
    AudioResult result = AUDIO_OK;
};

}  // namespace

TEST(FrequencyAnalyzer, BinCentredSineReadsItsAmplitude) {
    FrequencyAnalyzer analyzer;
    std::vector<float> values(SPECTRUM_SIZE);
    for (double amplitude : {1.0, 0.5}) {
        analyzer.analyse(sine(FFT_SIZE, BIN_TWO_HZ, amplitude).data(), values.data());
        EXPECT_NEAR(values[2], amplitude, 1e-3);
        EXPECT_LT(largestExcept(values, 2), 1e-3);
        EXPECT_TRUE(allNonNegative(values));
    }
}

TEST(AudioSystemSpectrum, OffsetSelectsTheSideOfTheStream) {
    std::vector<float> tone = sine(SOUND_FRAMES, BIN_TWO_HZ, 1.0);
    std::vector<float> silence(SOUND_FRAMES, 0.0f);
    std::string rightOnly = temporaryPath("right.wav");
    std::string leftOnly = temporaryPath("left.wav");
    writeWav(rightOnly, stereo(silence, tone), 2);
    writeWav(leftOnly, stereo(tone, silence), 2);

    PlayingFile right(rightOnly);
    ASSERT_EQ(right.result, AUDIO_OK);
    EXPECT_NEAR(right.spectrum(1)[2], 1.0, 1e-3);
    EXPECT_LT(largestExcept(right.spectrum(0), -1), 1e-6);

    PlayingFile left(leftOnly);
    ASSERT_EQ(left.result, AUDIO_OK);
    EXPECT_NEAR(left.spectrum(0)[2], 1.0, 1e-3);
    EXPECT_LT(largestExcept(left.spectrum(1), -1), 1e-6);
    EXPECT_TRUE(allNonNegative(left.spectrum(0)));
    std::remove(rightOnly.c_str());
    std::remove(leftOnly.c_str());
}

TEST(AudioSystemSpectrum, MonoPlaysOnBothSidesAndBadRequestsAreRefused) {
    std::string path = temporaryPath("mono.wav");
    writeWav(path, sine(SOUND_FRAMES, BIN_TWO_HZ, 0.5), 1);
    PlayingFile mono(path);
    ASSERT_EQ(mono.result, AUDIO_OK);
    EXPECT_EQ(mono.sound->sourceChannels(), 1);
    EXPECT_NEAR(mono.spectrum(0)[2], 0.5, 1e-3);
    EXPECT_NEAR(mono.spectrum(1)[2], 0.5, 1e-3);

    std::vector<float> values(SPECTRUM_SIZE, 0.25f);
    Channel& channel = *mono.channel;
    EXPECT_EQ(channel.getSpectrum(values.data(), SPECTRUM_SIZE, 2, SPECTRUM_WINDOW_RECT),
              AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(channel.getSpectrum(values.data(), SPECTRUM_SIZE, -1, SPECTRUM_WINDOW_RECT),
              AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(channel.getSpectrum(values.data(), 256, 0, SPECTRUM_WINDOW_RECT), AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(channel.getSpectrum(nullptr, SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT),
              AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(channel.getSpectrum(values.data(), SPECTRUM_SIZE, 0, SpectrumWindow(7)),
              AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(values[2], 0.25f);

    // Once a sound that does not loop has ended, its channel no longer plays.
    std::vector<float> output(SOUND_FRAMES * MIX_CHANNELS);
    mono.system->pull(output.data(), SOUND_FRAMES);
    EXPECT_FALSE(channel.isPlaying());
    EXPECT_EQ(channel.getSpectrum(values.data(), SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT),
              AUDIO_ERR_CHANNEL);
    mono.system->close();
    EXPECT_EQ(channel.getSpectrum(values.data(), SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT),
              AUDIO_ERR_UNINITIALIZED);
    std::remove(path.c_str());
}

TEST(AudioSystemSpectrum, OtherSampleRatesPlayAtTheirPitch) {
    constexpr int HALF_RATE = MIX_RATE / 2;
    std::string path = temporaryPath("half-rate.wav");
    writeWav(path, sine(SOUND_FRAMES / 2, BIN_TWO_HZ, 1.0, HALF_RATE), 1, HALF_RATE);
    PlayingFile slow(path);
    ASSERT_EQ(slow.result, AUDIO_OK);
    EXPECT_EQ(slow.sound->frameCount(), size_t(SOUND_FRAMES));
    EXPECT_NEAR(slow.spectrum(1)[2], 1.0, 0.01);
    std::remove(path.c_str());
}
