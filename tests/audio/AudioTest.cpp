// The audio layer: the spectrum, decoding and its errors, the music player and the committed
// track. The mixer's loop, sample for sample through a device: tests/program/MusicRunTest.cpp. Test signals are written as float WAV, so they reach the decoder unrounded.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <tuple>

#include "audio/AudioSystem.h"
#include "audio/LoopSynthesizer.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundFile.h"

namespace {
constexpr double BIN_TWO_HZ = 2.0 * MIX_RATE / FFT_SIZE;  // about 86.13 Hz
constexpr const char* TRACK = "media/loop_space_rocket.mp3";

std::string temporaryPath(const std::string& name) {
    return testing::TempDir() + "fuzzlets_" + std::to_string(getpid()) + "_" + name;
}
std::vector<float> sine(int frames, double amplitude, int rate = MIX_RATE) {
    std::vector<float> samples(size_t(frames), 0.0f);
    for (int frame = 0; frame < frames; ++frame)
        samples[size_t(frame)] = float(amplitude * std::sin(6.283185307179586 * BIN_TWO_HZ * frame / rate));
    return samples;
}
// Written as `channels` interleaved channels; returns the path.
std::string writeWav(const std::string& name, const std::vector<float>& samples, int channels, int rate = MIX_RATE) {
    const std::string path = temporaryPath(name);
    SF_INFO info{};
    info.samplerate = rate, info.channels = channels, info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / channels);
    sf_close(file);
    return path;
}
std::string writeBytes(const std::string& name, const std::string& bytes) {
    const std::string path = temporaryPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}
std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
// The largest value outside bin `except`; every value must be non-negative.
float largest(const std::vector<float>& values, int except = -1) {
    float most = 0.0f;
    for (int bin = 0; bin < int(values.size()); ++bin) {
        EXPECT_GE(values[size_t(bin)], 0.0f);
        if (bin != except) most = std::max(most, values[size_t(bin)]);
    }
    return most;
}

// A manual-mode system playing one file, advanced by `frames` (two FFT windows unless told).
struct Playing {
    explicit Playing(const std::string& path, int channels = 4, bool loop = false, int frames = 2 * FFT_SIZE) {
        createAudioSystem(&system);
        system->initManual(channels);
        result = system->createSound(path.c_str(), &sound);
        if (result == AUDIO_OK) sound->setLooping(loop), result = system->playSound(sound, &channel);
        pull(frames);
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
    AudioResult result = AUDIO_OK;
};

// The step from the last frame to the first is of the size the music takes around it; a cut
// note or a missing tail would jump by many times that.
void expectSeamless(const std::vector<float>& samples) {
    const size_t frames = samples.size() / 2;
    for (size_t side = 0; side < 2; ++side) {
        double steps = 0.0;
        for (size_t f = 1; f < 2000; ++f)
            steps += std::fabs(samples[f * 2 + side] - samples[f * 2 - 2 + side]) +
                     std::fabs(samples[(frames - f) * 2 + side] - samples[(frames - f - 1) * 2 + side]);
        EXPECT_LE(std::fabs(samples[side] - samples[(frames - 1) * 2 + side]), 3.0 * steps / 3998) << side;
    }
}

std::string captured(const std::function<void()>& function) {
    testing::internal::CaptureStdout();
    function();
    return testing::internal::GetCapturedStdout();
}
}  // namespace

TEST(Spectrum, ABinCentredSineReadsItsAmplitudeOnItsSideAtAnyRate) {
    FrequencyAnalyzer analyzer;
    std::vector<float> values(SPECTRUM_SIZE);
    for (double amplitude : {1.0, 0.5}) {
        analyzer.analyse(sine(FFT_SIZE, amplitude).data(), values.data());
        EXPECT_NEAR(values[2], amplitude, 1e-3);
        EXPECT_LT(largest(values, 2), 1e-3);
    }
    // Offset 0 reads the left side of the stream, 1 the right; mono plays on both.
    const std::vector<float> tone = sine(4 * FFT_SIZE, 1.0);
    std::vector<float> rightOnly;
    for (float sample : tone) rightOnly.insert(rightOnly.end(), {0.0f, sample});
    Playing right(writeWav("right.wav", rightOnly, 2));
    ASSERT_EQ(right.result, AUDIO_OK);
    EXPECT_NEAR(right.spectrum(1)[2], 1.0, 1e-3);
    EXPECT_LT(largest(right.spectrum(0)), 1e-6);
    Playing mono(writeWav("mono.wav", sine(4 * FFT_SIZE, 0.5), 1));
    EXPECT_NEAR(mono.spectrum(0)[2], 0.5, 1e-3);
    EXPECT_NEAR(mono.spectrum(1)[2], 0.5, 1e-3);
    // Half the rate plays at its own pitch: twice the frames at the mix rate.
    Playing slow(writeWav("half-rate.wav", sine(2 * FFT_SIZE, 1.0, MIX_RATE / 2), 1, MIX_RATE / 2));
    EXPECT_EQ(slow.sound->frameCount(), size_t(4 * FFT_SIZE));
    EXPECT_NEAR(slow.spectrum(1)[2], 1.0, 0.01);

    // Bad requests are refused and leave the values alone; so are ended and closed channels.
    std::vector<float> kept(SPECTRUM_SIZE, 0.25f);
    Channel& channel = *mono.channel;
    for (const auto& [size, offset, window] :
         {std::tuple{SPECTRUM_SIZE, 2, SPECTRUM_WINDOW_RECT}, std::tuple{SPECTRUM_SIZE, -1, SPECTRUM_WINDOW_RECT},
          std::tuple{256, 0, SPECTRUM_WINDOW_RECT}, std::tuple{SPECTRUM_SIZE, 0, SpectrumWindow(7)}})
        EXPECT_EQ(channel.getSpectrum(kept.data(), size, offset, window), AUDIO_ERR_ARGUMENT) << size << offset;
    EXPECT_EQ(channel.getSpectrum(nullptr, SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT), AUDIO_ERR_ARGUMENT);
    mono.pull(4 * FFT_SIZE);
    EXPECT_FALSE(channel.isPlaying());
    EXPECT_EQ(channel.getSpectrum(kept.data(), SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT), AUDIO_ERR_CHANNEL);
    mono.system->close();
    EXPECT_EQ(channel.getSpectrum(kept.data(), SPECTRUM_SIZE, 0, SPECTRUM_WINDOW_RECT), AUDIO_ERR_UNINITIALIZED);
    EXPECT_EQ(kept, std::vector<float>(SPECTRUM_SIZE, 0.25f));
}

TEST(SoundFile, UnusableFilesAndUnreadySystemsGiveTheirOwnCodes) {
    const auto createFrom = [](const std::string& path) {
        AudioSystem* system = nullptr;
        createAudioSystem(&system);
        system->initManual(1);
        Sound* sound = nullptr;
        const AudioResult result = system->createSound(path.c_str(), &sound);
        EXPECT_EQ(sound != nullptr, result == AUDIO_OK);
        system->release();
        return result;
    };
    const std::string wav = writeWav("whole.wav", sine(FFT_SIZE, 1.0), 1), track = readBytes(TRACK);
    EXPECT_EQ(createFrom(wav), AUDIO_OK);
    EXPECT_EQ(createFrom(temporaryPath("missing.mp3")), AUDIO_ERR_FILE_NOT_FOUND);
    for (const std::string& path :
         {testing::TempDir(), writeBytes("empty.mp3", ""), writeBytes("text.wav", "not a sound\n"),
          writeBytes("cut.mp3", track.substr(0, track.size() / 2)), writeBytes("cut-header.wav", readBytes(wav).substr(0, 30))})
        EXPECT_EQ(createFrom(path), AUDIO_ERR_FORMAT) << path;

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
    EXPECT_EQ(channel, nullptr);
    system->release();

    std::set<std::string> sentences;
    for (int code = AUDIO_OK; code <= AUDIO_ERR_NO_FREE_CHANNEL; ++code) sentences.insert(audioErrorString(AudioResult(code)));
    EXPECT_EQ(sentences.size(), size_t(AUDIO_ERR_NO_FREE_CHANNEL + 1));
    EXPECT_EQ(sentences.count("Unknown error."), 0u);
    EXPECT_STREQ(audioErrorString(AudioResult(84)), "Unknown error.");
}

// Start-up says nothing unless there is no output; a scene without music says why only when the
// frame asks for the spectrum (the wording is checked in tests/gl/BadInputTest.cpp).
TEST(MusicPlayer, PlaysTheTrackLoopedOrRunsSilentLeavingTheSpectrumAlone) {
    AudioSystem* system = nullptr;
    MusicPlayer* music = nullptr;
    EXPECT_EQ(captured([&] {
                  EXPECT_EQ(startAudio(system), AUDIO_OK);
                  music = createMusic(system, TRACK);
                  playMusic(*music);
              }),
              "");
    ASSERT_NE(music->channel, nullptr);
    EXPECT_TRUE(music->sound->looping());
    std::vector<float> values(MUSIC_SPECTRUM_SIZE, -1.0f);
    requestSpectrum(*music, values.data());
    EXPECT_EQ(music->result, AUDIO_OK);
    largest(values);
    releaseMusic(music);
    closeAudio(system);

    ASSERT_EQ(startAudio(system, AUDIO_OUTPUT_MANUAL), AUDIO_OK);
    MusicPlayer* missing = createMusic(system, "media/no_such_track.mp3");
    EXPECT_EQ(missing->result, AUDIO_ERR_FILE_NOT_FOUND);
    playMusic(*missing);
    EXPECT_EQ(missing->result, AUDIO_ERR_ARGUMENT);  // playing a sound that was never made
    MusicPlayer* orphan = createMusic(nullptr, TRACK);
    EXPECT_EQ(orphan->result, AUDIO_ERR_UNINITIALIZED);
    values.assign(MUSIC_SPECTRUM_SIZE, 0.25f);
    captured([&] { requestSpectrum(*orphan, values.data()); });
    EXPECT_EQ(values, std::vector<float>(MUSIC_SPECTRUM_SIZE, 0.25f));
    releaseMusic(missing);
    releaseMusic(orphan);
    releaseMusic(nullptr);
    closeAudio(system);
    closeAudio(nullptr);
    EXPECT_EQ(std::count(spectrumBuffer(), spectrumBuffer() + MUSIC_SPECTRUM_SIZE, 0.0f), MUSIC_SPECTRUM_SIZE);
}

// Bin 2 pulsing with the beat of the playing track: tests/gl/MusicTest.cpp.
TEST(MusicTrack, TheLoopIsSeamlessAndTheCommittedTrackDecodesToIt) {
    const std::vector<float> loop = synthesizeLoop();
    ASSERT_EQ(loop.size(), size_t(LOOP_FRAME_COUNT) * MIX_CHANNELS);
    float peak = 0.0f;
    for (float sample : loop) peak = std::max(peak, std::fabs(sample));
    EXPECT_NEAR(peak, LOOP_PEAK, 1e-6);
    expectSeamless(loop);
    EXPECT_EQ(loop, synthesizeLoop());
    DecodedSound track;
    ASSERT_EQ(decodeSoundFile(TRACK, track), AUDIO_OK);
    EXPECT_EQ(track.sourceRate * 10 + track.sourceChannels, MIX_RATE * 10 + 2);
    EXPECT_EQ(track.samples.size(), loop.size());
    expectSeamless(track.samples);
}
