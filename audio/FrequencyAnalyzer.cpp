#include "audio/FrequencyAnalyzer.h"

#include <cmath>

namespace {
// A sine of amplitude A centred on a bin puts A * FFT_SIZE / 2 into that bin.
constexpr float MAGNITUDE_SCALE = 2.0f / FFT_SIZE;
}

FrequencyAnalyzer::FrequencyAnalyzer()
    : config(kiss_fftr_alloc(FFT_SIZE, 0, nullptr, nullptr)), bins(FFT_SIZE / 2 + 1) {}

FrequencyAnalyzer::~FrequencyAnalyzer() { kiss_fftr_free(config); }

void FrequencyAnalyzer::analyse(const float* samples, float* magnitudes) {
    kiss_fftr(config, samples, bins.data());
    for (int bin = 0; bin < SPECTRUM_SIZE; ++bin)
        magnitudes[bin] = std::hypot(bins[size_t(bin)].r, bins[size_t(bin)].i) * MAGNITUDE_SCALE;
}
