// Magnitude spectrum of the latest FFT_SIZE samples of one channel, by a real FFT.
// The configuration and the scratch buffers are made once, so a request allocates nothing.
#pragma once

#include <kiss_fftr.h>

#include <vector>

constexpr int FFT_SIZE = 1024;
constexpr int SPECTRUM_SIZE = FFT_SIZE / 2;  // bin k sits at k * MIX_RATE / FFT_SIZE Hz

enum SpectrumWindow : int {
    SPECTRUM_WINDOW_RECT = 0,  // no weighting: the samples go in as they are
};

class FrequencyAnalyzer {
public:
    FrequencyAnalyzer();
    ~FrequencyAnalyzer();
    FrequencyAnalyzer(const FrequencyAnalyzer&) = delete;
    FrequencyAnalyzer& operator=(const FrequencyAnalyzer&) = delete;

    // Writes SPECTRUM_SIZE non-negative magnitudes of FFT_SIZE samples, scaled so that a
    // full-scale sine centred on a bin reads 1.0 there.
    void analyse(const float* samples, float* magnitudes);

private:
    kiss_fftr_cfg config;
    std::vector<kiss_fft_cpx> bins;
};
