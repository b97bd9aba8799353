// Decoding of a whole sound file (WAV, FLAC, Ogg, MP3: whatever libsndfile reads) into the
// mixer's format. Mono is copied to both sides; of more than two channels the first two are
// kept; any other sample rate is converted to MIX_RATE by linear interpolation.
// A file whose decoder stops short of the length its header gives (a cut MP3) is refused; a
// WAV cut inside its data is shortened by libsndfile itself and decodes to what is there.
#pragma once

#include "audio/AudioResult.h"

#include <vector>

struct DecodedSound {
    std::vector<float> samples;  // interleaved stereo at MIX_RATE
    int sourceChannels = 0;
    int sourceRate = 0;
};

AudioResult decodeSoundFile(const char* path, DecodedSound& sound);

// Linear-interpolation rate conversion of interleaved stereo samples.
std::vector<float> resampleStereo(const std::vector<float>& samples, int fromRate, int toRate);
