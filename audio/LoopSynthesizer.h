// The synthesiser of the music loop: 120 BPM, 16 bars of kick, bass, pads and hi-hats.
// The kick's pitch sweeps through and the bass sits near 86 Hz (spectrum bin 2), gated on each
// beat, so the fur pulses with the music. Every note is written modulo the loop length, so
// tails that run past the end continue at the start: the loop is the steady state of its own
// endless repetition and its end flows into its start. Same code, same samples.
#pragma once

#include "audio/AudioFormat.h"

#include <vector>

constexpr int LOOP_BEATS_PER_MINUTE = 120;
constexpr int LOOP_BEATS_PER_BAR = 4;
constexpr int LOOP_BARS = 16;
constexpr int LOOP_FRAMES_PER_BEAT = MIX_RATE * 60 / LOOP_BEATS_PER_MINUTE;
constexpr int LOOP_BEATS = LOOP_BEATS_PER_BAR * LOOP_BARS;
constexpr int LOOP_FRAME_COUNT = LOOP_FRAMES_PER_BEAT * LOOP_BEATS;  // 32 s

constexpr float LOOP_PEAK = 0.89f;  // largest sample magnitude, leaving headroom for the encoder

// LOOP_FRAME_COUNT frames of interleaved stereo.
std::vector<float> synthesizeLoop();
