// Rebuild the music: make-music out.wav && lame --quiet -b 128 out.wav media/loop_space_rocket.mp3
// Writes the synthesised loop as 16-bit stereo WAV; the same build always writes the same bytes.
#include "audio/LoopSynthesizer.h"

#include <sndfile.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-music out.wav\n");
        return 2;
    }
    std::vector<float> samples = synthesizeLoop();
    SF_INFO info {};
    info.samplerate = MIX_RATE;
    info.channels = MIX_CHANNELS;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "make-music: cannot write %s: %s\n", argv[1], sf_strerror(nullptr));
        return 1;
    }
    sf_count_t written = sf_writef_float(file, samples.data(), LOOP_FRAME_COUNT);
    sf_close(file);
    return written == LOOP_FRAME_COUNT ? 0 : 1;
}
