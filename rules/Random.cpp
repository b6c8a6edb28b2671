#include "rules/Random.h"

#include <time.h>

#include <random>

namespace {

std::mt19937& Generator() {
  thread_local std::mt19937 generator(5489u);
  return generator;
}

}  // namespace

void RandSeed(std::uint32_t seed) {
  Generator().seed(seed);
}

void Randomize() {
  // <chrono> holds a literal with no cp932 form, so the clock is read the C way.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const std::uint64_t ns = static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + now.tv_nsec;
  RandSeed(static_cast<std::uint32_t>(ns ^ (ns >> 32)));
}

std::int32_t Random(std::int32_t n) {
  if (n <= 0) return 0;
  // Plain rejection sampling keeps the draw uniform and the same on every
  // standard library, so a seeded run is the same everywhere.
  const std::uint32_t range = static_cast<std::uint32_t>(n);
  const std::uint32_t limit = 0xFFFFFFFFu - (0xFFFFFFFFu % range);
  std::uint32_t value;
  do {
    value = Generator()();
  } while (value >= limit);
  return static_cast<std::int32_t>(value % range);
}
