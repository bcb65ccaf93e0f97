#pragma once
#include <cstdint>

namespace corvane {

// The program-wide 32-bit linear congruential generator behind the timing
// dither: seed = seed * 134775813 + 1 (mod 2^32), value = seed / 2^32.
// Safe to call from several threads; each call takes its own step.
void RandSeed(uint32_t seed);
double Random();            // uniform in [0, 1)
void RandomizeFromClock();  // seeds once from the clock at start-up

}  // namespace corvane
