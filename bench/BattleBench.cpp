// Silent battles: how many SimulateBattle calls the growth search can make.
// The corpus is 1,000 pairs of valid 10-point builds made with a fixed seed,
// every sword kind among them; the slice is one build against 50 builds, the
// work of one growth tick, which must stay well inside the 10 ms tick.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "battle/Battle.h"
#include "data/BuildCorpus.h"

namespace {

struct TCorpus : TBuildCorpus {
  TCorpus() : TBuildCorpus(MakeBuildCorpus(1000)) {}
};

const TCorpus& Corpus() {
  static const TCorpus corpus;
  return corpus;
}

void BM_SimulateBattleCorpus(benchmark::State& state) {
  const TCorpus& c = Corpus();
  const auto battle = std::make_unique<TBattle>();
  std::int64_t checksum = 0;
  for (auto _ : state) {
    for (std::size_t i = 0; i < c.A.size(); ++i)
      checksum += SimulateBattle(*battle, c.A[i], c.B[i]);
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
  const auto battle = std::make_unique<TBattle>();
  std::int64_t score = 0;
  for (auto _ : state) {
    for (int j = 0; j < 50; ++j) score += SimulateBattle(*battle, me, c.B[j]);
  }
  benchmark::DoNotOptimize(score);
  state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_SimulateSlice50)->Unit(benchmark::kMicrosecond);

}  // namespace
