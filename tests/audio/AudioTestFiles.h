// Signals and files made by the audio tests themselves, in the test's temporary directory.
#pragma once

#include "audio/AudioFormat.h"
#include "audio/FrequencyAnalyzer.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

constexpr double TEST_TWO_PI = 6.283185307179586;
constexpr double BIN_TWO_HZ = 2.0 * MIX_RATE / FFT_SIZE;  // about 86.13 Hz
constexpr const char* COMMITTED_TRACK = "media/loop_space_rocket.mp3";

// A path unique to this test and process, so parallel test processes never share a file.
inline std::string temporaryPath(const std::string& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + "fuzzlets_" + test->name() + "_" + std::to_string(getpid()) +
           "_" + name;
}

inline std::vector<float> sine(int frames, double hz, double amplitude, int rate = MIX_RATE) {
    std::vector<float> samples(static_cast<size_t>(frames));
    for (int frame = 0; frame < frames; ++frame)
        samples[size_t(frame)] = float(amplitude * std::sin(TEST_TWO_PI * hz * frame / rate));
    return samples;
}

// Interleaves two equally long channels.
inline std::vector<float> stereo(const std::vector<float>& left, const std::vector<float>& right) {
    std::vector<float> samples;
    for (size_t frame = 0; frame < left.size(); ++frame) {
        samples.push_back(left[frame]);
        samples.push_back(right[frame]);
    }
    return samples;
}

// Float WAV, so the test signals reach the decoder without rounding.
inline void writeWav(const std::string& path, const std::vector<float>& samples, int channels,
                     int rate = MIX_RATE) {
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path;
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / channels);
    sf_close(file);
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
