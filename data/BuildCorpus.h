// Design unit: UnitCorpus.
// A fixed corpus of valid builds for measuring and checking the rules: pairs
// of 10-point builds made from a fixed seed, every sword kind among them. The
// benchmarks time battles over it and the lab's bench command checksums them,
// so both always see the same builds.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "rules/Sword.h"

// A valid build worth exactly `points` bonus points; `kind` (1..35), when
// given, is among its swords.
TSpec RandomValidBuild(std::mt19937& rng, int points, int kind = 0);

struct TBuildCorpus {
  std::vector<TSpec> A, B;
};

// The corpus of `pairs` build pairs: pairs 0..34 carry each kind once on each
// side, the rest are free. The same for every call.
TBuildCorpus MakeBuildCorpus(int pairs);
