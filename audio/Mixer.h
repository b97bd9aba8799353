// The software mixer: a fixed set of voices summed into interleaved stereo, plus a ring of the
// most recent FFT_SIZE frames it produced, which the spectrum requests read.
// The output thread and the main thread meet only here, under one mutex. Mixing allocates
// nothing and does no I/O: voices and the ring are sized once, at construction.
#pragma once

#include "audio/FrequencyAnalyzer.h"

#include <cstddef>
#include <mutex>
#include <vector>

struct Voice {
    const void* owner = nullptr;     // the sound whose samples play, for stopping on release
    const float* samples = nullptr;  // interleaved stereo, not owned
    size_t frameCount = 0;
    size_t position = 0;             // next frame to play
    bool looping = false;
    bool playing = false;
};

class Mixer {
public:
    explicit Mixer(int voiceCount);

    // Overwrites frames * MIX_CHANNELS samples with the next output and remembers them.
    void mix(float* interleaved, int frames);
    // Gain of the output from the next mix on, 0 silent to 1 as mixed. The spectrum reads the
    // mix before the gain, so a muted demo's fur still moves with the music.
    void setVolume(float gain);

    // Index of the voice that now plays the samples from their start, or -1 if none is free.
    int start(const void* owner, const float* samples, size_t frameCount, bool looping);
    bool isPlaying(int voice);
    void stopAll(const void* owner);
    void stopAll();
    // Copies the latest FFT_SIZE samples of one side (0 left, 1 right), oldest first, into
    // samples, provided the voice still plays; returns whether it did.
    bool copyLatest(int voice, int side, float* samples);

private:
    void mixVoice(Voice& voice, float* interleaved, int frames);
    void remember(const float* interleaved, int frames);

    std::mutex mutex;
    std::vector<Voice> voices;
    std::vector<float> history;  // FFT_SIZE interleaved frames
    size_t historyNext = 0;      // frame slot written next, which is also the oldest
    float volume = 1.0f;
};
