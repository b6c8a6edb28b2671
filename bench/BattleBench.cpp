// Silent battles: how many SimulateBattle calls the growth search can make.
// The corpus is 1,000 pairs of valid 10-point builds made with a fixed seed,
// every sword kind among them; the slice is one build against 50 builds, the
// work of one growth tick, which must stay well inside the 10 ms tick.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "battle/UnitBattle.h"

namespace {

// A valid build worth exactly 10 bonus points; `kind` (1..35), when given,
// is among its swords.
TSpec RandomBuild(std::mt19937& rng, int kind) {
  TSpec spec;
  std::string swords;
  int points = 10;
  if (kind > 0) {
    swords += SwordByKind(kind).Mark.Str();
    --points;
  }
  for (; points > 0; --points) {
    switch (rng() % 5) {
      case 0:
        spec.MaxHP += 5;
        break;
      case 1:
        ++spec.Attack;
        break;
      case 2:
        ++spec.Defence;
        break;
      case 3:
        ++spec.Speed;
        break;
      default:
        swords += SwordByKind(1 + static_cast<int>(rng() % SwordKindCount)).Mark.Str();
        break;
    }
  }
  spec.Swords = swords;
  return spec;
}

struct TCorpus {
  std::vector<TSpec> A, B;
  TCorpus() {
    std::mt19937 rng(1234567);
    for (int i = 0; i < 1000; ++i) {
      // Pairs 0..34 carry each kind once on each side; the rest are free.
      const int kind = i < SwordKindCount ? i + 1 : 0;
      A.push_back(RandomBuild(rng, kind));
      B.push_back(RandomBuild(rng, kind > 0 ? SwordKindCount + 1 - kind : 0));
    }
  }
};

const TCorpus& Corpus() {
  static const TCorpus corpus;
  return corpus;
}

void BM_SimulateBattleCorpus(benchmark::State& state) {
  const TCorpus& c = Corpus();
  std::int64_t checksum = 0;
  for (auto _ : state) {
    for (std::size_t i = 0; i < c.A.size(); ++i) checksum += SimulateBattle(c.A[i], c.B[i]);
  }
  benchmark::DoNotOptimize(checksum);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(c.A.size()));
  // The sum of the result codes over one pass: it changes exactly when the
  // rules' outcomes do.
  state.counters["checksum"] = static_cast<double>(checksum / state.iterations());
}
BENCHMARK(BM_SimulateBattleCorpus)->Unit(benchmark::kMillisecond);

void BM_SimulateSlice50(benchmark::State& state) {
  const TCorpus& c = Corpus();
  const TSpec& me = c.A[0];
  std::int64_t score = 0;
  for (auto _ : state) {
    for (int j = 0; j < 50; ++j) score += SimulateBattle(me, c.B[j]);
  }
  benchmark::DoNotOptimize(score);
  state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_SimulateSlice50)->Unit(benchmark::kMicrosecond);

}  // namespace
