// Design unit: UnitRandom.
// The program's pseudo-random generator, one per thread. The game's is seeded
// once: from the clock when the main window is created, or with a fixed number
// by the lab and the tests so that seeded work is reproducible. Work the lab
// spreads over threads seeds the generator of its thread for each piece, so
// the work comes out the same on any number of threads. Random(n) is uniform
// in 0..n-1 and Random(0) is 0.
#pragma once

#include <cstdint>

// Seeds this thread's generator with a fixed number.
void RandSeed(std::uint32_t seed);
// Seeds this thread's generator from the clock.
void Randomize();
// A uniform integer in 0..n-1; 0 when n <= 0.
std::int32_t Random(std::int32_t n);
