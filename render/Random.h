// The program's one random generator: 15-bit values (0 to 32767), deterministic for a seed.
// The shell-texture and leap formulas assume exactly this range, which glibc's rand does not give.
#pragma once

constexpr int RANDOM_MAX = 32767;

void seedRandom(unsigned seed);
int nextRandom();
