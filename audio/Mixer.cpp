#include "audio/Mixer.h"

#include "audio/AudioFormat.h"

#include <algorithm>

Mixer::Mixer(int voiceCount) : voices(size_t(voiceCount)), history(FFT_SIZE * MIX_CHANNELS) {}

void Mixer::mix(float* interleaved, int frames) {
    std::lock_guard<std::mutex> lock(mutex);
    std::fill(interleaved, interleaved + frames * MIX_CHANNELS, 0.0f);
    for (Voice& voice : voices)
        if (voice.playing) mixVoice(voice, interleaved, frames);
    remember(interleaved, frames);
    for (int sample = 0; sample < frames * MIX_CHANNELS; ++sample) interleaved[sample] *= volume;
}

void Mixer::setVolume(float gain) {
    std::lock_guard<std::mutex> lock(mutex);
    volume = gain;
}

// Looping wraps the position to frame 0 within the same output buffer: no gap, sample-exact.
void Mixer::mixVoice(Voice& voice, float* interleaved, int frames) {
    for (int frame = 0; frame < frames; ++frame) {
        if (voice.position == voice.frameCount) {
            if (!voice.looping) {
                voice.playing = false;
                return;
            }
            voice.position = 0;
        }
        const float* source = voice.samples + voice.position * MIX_CHANNELS;
        for (int side = 0; side < MIX_CHANNELS; ++side)
            interleaved[frame * MIX_CHANNELS + side] += source[side];
        ++voice.position;
    }
}

void Mixer::remember(const float* interleaved, int frames) {
    for (int frame = 0; frame < frames; ++frame) {
        std::copy_n(interleaved + frame * MIX_CHANNELS, MIX_CHANNELS,
                    history.begin() + long(historyNext * MIX_CHANNELS));
        historyNext = (historyNext + 1) % FFT_SIZE;
    }
}

int Mixer::start(const void* owner, const float* samples, size_t frameCount, bool looping) {
    std::lock_guard<std::mutex> lock(mutex);
    for (size_t index = 0; index < voices.size(); ++index) {
        if (voices[index].playing) continue;
        voices[index] = Voice{owner, samples, frameCount, 0, looping, true};
        return int(index);
    }
    return -1;
}

bool Mixer::isPlaying(int voice) {
    std::lock_guard<std::mutex> lock(mutex);
    return voices[size_t(voice)].playing;
}

void Mixer::stopAll(const void* owner) {
    std::lock_guard<std::mutex> lock(mutex);
    for (Voice& voice : voices)
        if (voice.owner == owner) voice.playing = false;
}

void Mixer::stopAll() {
    std::lock_guard<std::mutex> lock(mutex);
    for (Voice& voice : voices) voice.playing = false;
}

bool Mixer::copyLatest(int voice, int side, float* samples) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!voices[size_t(voice)].playing) return false;
    for (size_t frame = 0; frame < FFT_SIZE; ++frame)
        samples[frame] = history[((historyNext + frame) % FFT_SIZE) * MIX_CHANNELS + size_t(side)];
    return true;
}
