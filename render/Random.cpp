#include "render/Random.h"

namespace {
// The classic portable C library generator: a 32-bit LCG whose bits 16..30 are returned.
unsigned long randomState = 1;
}

void seedRandom(unsigned seed) { randomState = seed; }

int nextRandom() {
    randomState = (randomState * 1103515245UL + 12345UL) & 0xffffffffUL;
    return int((randomState / 65536UL) % 32768UL);
}
