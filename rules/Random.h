// Design unit: UnitRandom.
// The game's dice: a pseudo-random generator as a value. Nothing shares one:
// each game holds its own, seeded once when the game is made (from the clock
// by the main window, with a fixed number by the lab's play driver), and hands
// it to every draw it makes (the tournament's draw, the coin toss of a tied
// judgement, the growth search). The lab's commands, the benchmarks and the
// tests own theirs; work the lab spreads over threads gives each piece a
// generator of its own, seeded from the piece's number, so the work comes out
// the same on any number of threads and two games never change each other's
// draws. Next(n) is uniform in 0..n-1 and Next(0) is 0.
#pragma once

#include <cstdint>
#include <random>

class TRandom {
 public:
  // A generator in the standard's default state; seed it before use.
  TRandom() = default;
  explicit TRandom(std::uint32_t seed) : engine_(seed) {}

  // Starts the sequence of a fixed number.
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  // Starts a sequence from the clock.
  void SeedFromClock();
  // A uniform integer in 0..n-1; 0 when n <= 0.
  std::int32_t Next(std::int32_t n);

 private:
  std::mt19937 engine_{5489u};
};
