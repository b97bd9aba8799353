// The one format the mixer works in: every sound is converted to it when it is loaded.
#pragma once

constexpr int MIX_RATE = 44100;  // frames per second
constexpr int MIX_CHANNELS = 2;  // interleaved left, right
