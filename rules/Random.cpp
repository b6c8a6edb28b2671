#include "rules/Random.h"

#include <time.h>

void TRandom::SeedFromClock() {
  // <chrono> holds a literal with no cp932 form, so the clock is read the C way.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const std::uint64_t ns = static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + now.tv_nsec;
  Seed(static_cast<std::uint32_t>(ns ^ (ns >> 32)));
}

std::int32_t TRandom::Next(std::int32_t n) {
  if (n <= 0) return 0;
  // Plain rejection sampling keeps the draw uniform and the same on every
  // standard library, so a seeded run is the same everywhere.
  const std::uint32_t range = static_cast<std::uint32_t>(n);
  const std::uint32_t limit = 0xFFFFFFFFu - (0xFFFFFFFFu % range);
  std::uint32_t value;
  do {
    value = engine_();
  } while (value >= limit);
  return static_cast<std::int32_t>(value % range);
}
