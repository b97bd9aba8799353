#include "audio/LoopSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double TWO_PI = 6.283185307179586;

// Kick: a sine whose pitch falls from KICK_START_HZ towards KICK_END_HZ, through 86 Hz.
constexpr double KICK_START_HZ = 160.0;
constexpr double KICK_END_HZ = 48.0;
constexpr double KICK_SWEEP_SECONDS = 0.045;
constexpr double KICK_DECAY_SECONDS = 0.13;
constexpr double KICK_LENGTH_SECONDS = 0.4;
constexpr double KICK_GAIN = 0.6;

// Bass: a pedal F (87.3 Hz, inside bin 2) under every chord, gated to part of each beat.
constexpr double BASS_HZ = 87.31;
constexpr double BASS_GATE_SECONDS = 0.28;
constexpr double BASS_RELEASE_SECONDS = 0.03;
constexpr double BASS_OVERTONE = 0.15;  // a touch of the octave so it carries on small speakers
constexpr double BASS_GAIN = 0.75;

// Pads: detuned, low-passed saws holding each chord, fading into the next.
constexpr int PAD_BARS_PER_CHORD = 2;
constexpr double PAD_ATTACK_SECONDS = 0.8;
constexpr double PAD_RELEASE_SECONDS = 1.2;
constexpr double PAD_DETUNE = 0.0025;
constexpr double PAD_CUTOFF_HZ = 1400.0;
constexpr double PAD_GAIN = 0.07;

// Hi-hats: differentiated noise bursts on every half beat, an open one before each bar.
constexpr double HAT_CLOSED_DECAY_SECONDS = 0.025;
constexpr double HAT_OPEN_DECAY_SECONDS = 0.12;
constexpr double HAT_GAIN = 0.18;
constexpr double HAT_PAN = 0.35;
constexpr double HAT_LENGTH_IN_DECAYS = 6.0;  // long enough to fall below hearing

constexpr double NOTE_ATTACK_SECONDS = 0.003;  // keeps every onset click-free

// F minor, A flat, E flat, D flat over the bass's F: the pad's three notes of each chord.
constexpr int CHORD_COUNT = 4;
constexpr double CHORDS[CHORD_COUNT][3] = {
    {349.23, 415.30, 523.25},
    {311.13, 415.30, 523.25},
    {311.13, 392.00, 466.16},
    {277.18, 349.23, 415.30},
};

// Interleaved stereo that wraps: a note running past the end continues at frame 0.
class LoopBuffer {
public:
    LoopBuffer() : samples(size_t(LOOP_FRAME_COUNT) * MIX_CHANNELS, 0.0f) {}
    void add(long frame, double left, double right) {
        size_t index = size_t(frame % LOOP_FRAME_COUNT) * MIX_CHANNELS;
        samples[index] += float(left);
        samples[index + 1] += float(right);
    }
    std::vector<float> samples;
};

long framesFor(double seconds) { return long(seconds * MIX_RATE); }
double secondsAt(long frame) { return double(frame) / MIX_RATE; }
long beatStart(int beat) { return long(beat) * LOOP_FRAMES_PER_BEAT; }

double attack(double t) { return std::min(1.0, t / NOTE_ATTACK_SECONDS); }

void addKick(LoopBuffer& loop, long start) {
    double phase = 0.0;
    for (long frame = 0; frame < framesFor(KICK_LENGTH_SECONDS); ++frame) {
        double t = secondsAt(frame);
        double hz = KICK_END_HZ + (KICK_START_HZ - KICK_END_HZ) * std::exp(-t / KICK_SWEEP_SECONDS);
        phase += TWO_PI * hz / MIX_RATE;
        double tail = 1.0 - t / KICK_LENGTH_SECONDS;  // reaches zero exactly at the end
        double value = KICK_GAIN * attack(t) * std::exp(-t / KICK_DECAY_SECONDS) * tail *
                       std::sin(phase);
        loop.add(start + frame, value, value);
    }
}

void addBass(LoopBuffer& loop, long start) {
    long length = framesFor(BASS_GATE_SECONDS + BASS_RELEASE_SECONDS);
    for (long frame = 0; frame < length; ++frame) {
        double t = secondsAt(frame);
        double release = t < BASS_GATE_SECONDS
                             ? 1.0
                             : 1.0 - (t - BASS_GATE_SECONDS) / BASS_RELEASE_SECONDS;
        double phase = TWO_PI * BASS_HZ * t;
        double tone = std::sin(phase) + BASS_OVERTONE * std::sin(2.0 * phase);
        double value = BASS_GAIN * attack(t) * release * tone;
        loop.add(start + frame, value, value);
    }
}

// A naive saw through a one-pole low-pass: the filter tames the saw's aliasing.
class PadVoice {
public:
    explicit PadVoice(double hz) : step(hz / MIX_RATE) {}
    double next() {
        phase += step;
        phase -= std::floor(phase);
        filtered += smoothing * ((2.0 * phase - 1.0) - filtered);
        return filtered;
    }

private:
    double step;
    double phase = 0.0;
    double filtered = 0.0;
    double smoothing = 1.0 - std::exp(-TWO_PI * PAD_CUTOFF_HZ / MIX_RATE);
};

void addPadNote(LoopBuffer& loop, long start, long held, double hz) {
    PadVoice left(hz * (1.0 - PAD_DETUNE));
    PadVoice right(hz * (1.0 + PAD_DETUNE));
    long release = framesFor(PAD_RELEASE_SECONDS);
    for (long frame = 0; frame < held + release; ++frame) {
        double t = secondsAt(frame);
        double envelope = std::min(1.0, t / PAD_ATTACK_SECONDS);
        if (frame >= held) envelope *= 1.0 - double(frame - held) / double(release);
        loop.add(start + frame, PAD_GAIN * envelope * left.next(),
                 PAD_GAIN * envelope * right.next());
    }
}

// Deterministic white noise: xorshift32 seeded per hit.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed * 2654435761u + 1u) {}
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return double(state) / 2147483648.0 - 1.0;
    }

private:
    uint32_t state;
};

void addHat(LoopBuffer& loop, long start, int hit, double decaySeconds) {
    Noise noise{uint32_t(hit)};
    double previous = 0.0;
    double pan = hit % 2 == 0 ? -HAT_PAN : HAT_PAN;
    long length = framesFor(decaySeconds * HAT_LENGTH_IN_DECAYS);
    for (long frame = 0; frame < length; ++frame) {
        double t = secondsAt(frame);
        double white = noise.next();
        double bright = white - previous;  // first difference: a cheap high-pass
        previous = white;
        double tail = 1.0 - double(frame) / double(length);
        double value = HAT_GAIN * attack(t) * std::exp(-t / decaySeconds) * tail * bright;
        loop.add(start + frame, value * (1.0 - pan), value * (1.0 + pan));
    }
}

void addDrumsAndBass(LoopBuffer& loop) {
    for (int beat = 0; beat < LOOP_BEATS; ++beat) {
        addKick(loop, beatStart(beat));
        addBass(loop, beatStart(beat));
        long offbeat = beatStart(beat) + LOOP_FRAMES_PER_BEAT / 2;
        bool lastOfBar = beat % LOOP_BEATS_PER_BAR == LOOP_BEATS_PER_BAR - 1;
        addHat(loop, beatStart(beat), 2 * beat, HAT_CLOSED_DECAY_SECONDS);
        addHat(loop, offbeat, 2 * beat + 1,
               lastOfBar ? HAT_OPEN_DECAY_SECONDS : HAT_CLOSED_DECAY_SECONDS);
    }
}

void addPads(LoopBuffer& loop) {
    int beatsPerChord = PAD_BARS_PER_CHORD * LOOP_BEATS_PER_BAR;
    long held = long(beatsPerChord) * LOOP_FRAMES_PER_BEAT;
    for (int beat = 0; beat < LOOP_BEATS; beat += beatsPerChord)
        for (double hz : CHORDS[(beat / beatsPerChord) % CHORD_COUNT])
            addPadNote(loop, beatStart(beat), held, hz);
}

void normalise(std::vector<float>& samples) {
    float peak = 0.0f;
    for (float sample : samples) peak = std::max(peak, std::fabs(sample));
    if (peak > 0.0f)
        for (float& sample : samples) sample *= LOOP_PEAK / peak;
}

}  // namespace

std::vector<float> synthesizeLoop() {
    LoopBuffer loop;
    addDrumsAndBass(loop);
    addPads(loop);
    normalise(loop.samples);
    return std::move(loop.samples);
}
