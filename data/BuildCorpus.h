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

// `pairs` pairs of 10-point builds in which one side carries a sword that
// moves swords between or within lists (盗 steals, 撹 reverses, 戟 spends, 豪
// gives the attack sword behind it a break) and the other side is as fast or
// faster, with several swords: the mover meets lists some of whose swords
// have run this turn, so the used marks must travel with their swords. The
// mover is A in even pairs and B in odd ones. The same for every call.
TBuildCorpus MakeListMoverCorpus(int pairs);
