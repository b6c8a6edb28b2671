// The growth search's cost: one slice (one candidate against every step of
// its opponent), the whole growth of one entrant, and a whole round of 16
// entrants run through the driver tick after tick. A slice is what one 10 ms
// timer tick does, so it must stay well under a millisecond.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "data/Roster.h"
#include "data/Tournament.h"
#include "growth/GrowthDriver.h"
#include "growth/GrowthSearch.h"
#include "rules/Random.h"

namespace {

TSpec Spec(const char* text) {
  TSpec spec;
  std::string fault;
  if (!ParseSpecText(text, spec, fault, false)) InternalError("GrowthBench", fault);
  return spec;
}

// Sixteen rivals as the first round leaves them.
std::vector<TSpec> Rivals() {
  std::vector<TSpec> rivals;
  for (const char* text :
       {"15/3/1/1/絶確", "10/2/0/3/斬斬斬斬", "10/2/0/2/毒猛斬斬", "15/2/0/2/盗盗斬",
        "10/2/0/2/鏡鏡斬斬", "20/2/0/2/滅星斬", "20/2/1/1/死斬", "0/2/1/2/臥臥斬斬斬",
        "15/2/0/2/先斬斬", "25/0/2/1/押盾", "15/2/0/1/儀儀斬斬", "20/2/1/1/回斬", "15/2/1/1/癒斬斬",
        "15/2/1/1/命魂斬", "15/2/0/2/導絶斬", "15/2/0/2/振斬斬斬"}) {
    rivals.push_back(Spec(text));
  }
  return rivals;
}

// One slice after another: each scores the next of ME's candidates against
// all of PARTNER's, as the driver does once per tick.
void RunSlices(benchmark::State& state, const TSpec& me, const TSpec& partner) {
  TRandom dice(1);
  const TSpecList own = GrowthCandidates(me, partner, dice);
  const TFighterList opponents = FightersOf(GrowthCandidates(partner, me, dice));
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ScoreAgainstFighters(own[k], opponents));
    k = (k + 1) % own.size();
  }
  state.counters["battles/slice"] = static_cast<double>(opponents.size());
}

void BM_GrowthSlice(benchmark::State& state) {
  RunSlices(state, Spec("15/2/0/2/導絶斬"), Spec("15/2/0/2/振斬斬斬"));
}
BENCHMARK(BM_GrowthSlice);

// The heaviest slices come late in a tournament: long lists full of attack
// swords give the opponent a control-sword candidate before each of them.
void BM_GrowthSliceLongLists(benchmark::State& state) {
  RunSlices(state, Spec("40/4/2/3/導振斬斬闇衝連重盾命熱斬斬確絶"),
            Spec("35/4/3/3/薬斬斬闇斬連鏡魂衝戟斬斬斬重"));
}
BENCHMARK(BM_GrowthSliceLongLists);

void BM_GrowOne(benchmark::State& state) {
  TRandom dice(2);
  const TSpec me = Spec("15/2/0/2/導絶斬");
  const TSpec partner = Spec("15/2/0/2/振斬斬斬");
  for (auto _ : state) benchmark::DoNotOptimize(GrowOne(me, partner, dice));
}
BENCHMARK(BM_GrowOne)->Unit(benchmark::kMillisecond);

void BM_GrowthRound16(benchmark::State& state) {
  const std::vector<TSpec> rivals = Rivals();
  TRandom dice(3);
  std::int64_t ticks = 0;
  std::int64_t battles = 0;
  for (auto _ : state) {
    const auto t = std::make_unique<TTournament>();
    TGrowthDriver driver;
    for (int i = 0; i < 16; ++i) {
      t->Slots[i].Spec = rivals[i];
      t->Entrants[i] = &t->Slots[i];
    }
    t->EntrantCount = 16;
    StartGrowth(driver, *t);
    while (driver.Growing) {
      GrowthTick(driver, *t, dice);
      ++ticks;
    }
    battles += driver.BattlesPlayed;
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["ticks/round"] = static_cast<double>(ticks) / rounds;
  state.counters["battles/round"] = static_cast<double>(battles) / rounds;
}
BENCHMARK(BM_GrowthRound16)->Unit(benchmark::kMillisecond);

}  // namespace
