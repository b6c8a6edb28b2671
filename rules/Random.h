// Design unit: UnitRandom.
// The program's one pseudo-random generator. It is seeded once: from the clock
// when the main window is created, or with a fixed number by the lab and the
// tests so that seeded work is reproducible. Random(n) is uniform in 0..n-1 and
// Random(0) is 0.
#pragma once

#include <cstdint>

// Seeds the generator with a fixed number.
void RandSeed(std::uint32_t seed);
// Seeds the generator from the clock.
void Randomize();
// A uniform integer in 0..n-1; 0 when n <= 0.
std::int32_t Random(std::int32_t n);
