#include "growth/GrowthDriver.h"

#include "data/Tournament.h"
#include "growth/GrowthSearch.h"

namespace {

constexpr const char* UnitName = "UnitSimulation";

enum TGrowthStep { gsSetup, gsGrowthSlice, gsOrderSetup, gsOrderSlice, gsStore };

// The driver's state, held once for the run.
struct TGrowthDriver {
  bool Growing = false;
  TGrowthStep Step = gsSetup;
  std::int32_t Remaining = 0;
  std::int32_t Entrant = 0;  // i: position in the entrants list
  std::int32_t Count = 0;    // N: entrants still in when the growth started
  TSpec Me;
  TSpec Partner;
  TSpecList Own;           // growth candidates, then the orders of the chosen one
  TFighterList Opponents;  // the fighters of the partner's growth candidates, for both phases
  TIntList Scores;
  std::int32_t Next = 0;  // k: the next candidate to score
  TSpec Chosen;
  TSpec Result;
};

TGrowthDriver driver;

// The share of the work left once entrant i starts: (N - i) * 100 / N.
std::int32_t ShareLeft(const TGrowthDriver& d) {
  return (d.Count - d.Entrant) * 100 / d.Count;
}

void GrowthSlice(TGrowthDriver& d) {
  const std::int32_t length = static_cast<std::int32_t>(d.Own.size());
  d.Scores[d.Next] = ScoreAgainstFighters(d.Own[d.Next], d.Opponents);
  // The growth phase walks through the first half of the entrant's share.
  d.Remaining = ShareLeft(d) - (d.Next * 50 / length) / d.Count;
  ++d.Next;
  if (d.Next < length) {
    d.Step = gsGrowthSlice;
    return;
  }
  AddKeepLengthBonus(d.Me, d.Own, d.Scores);
  d.Chosen = PickBest(d.Own, d.Scores);
  d.Step = gsOrderSetup;
}

void OrderSlice(TGrowthDriver& d) {
  const std::int32_t length = static_cast<std::int32_t>(d.Own.size());
  d.Scores[d.Next] = ScoreAgainstFighters(d.Own[d.Next], d.Opponents);
  // The order phase walks through the second half.
  d.Remaining = ShareLeft(d) - (d.Next * 50 / length + 50) / d.Count;
  ++d.Next;
  if (d.Next < length) {
    d.Step = gsOrderSlice;
    return;
  }
  AddOrderBonus(d.Own, d.Scores);
  d.Result = PickBest(d.Own, d.Scores);
  d.Step = gsStore;
}

void RunStep(TGrowthDriver& d) {
  switch (d.Step) {
    case gsSetup: {
      // 1. The entrant and its next opponent, as they were when the round
      // ended, and the candidates of both; then the first slice.
      if (d.Entrant >= d.Count) {
        // Nobody is left to grow.
        d.Growing = false;
        d.Remaining = 0;
        break;
      }
      d.Me = Tournament.Entrants[d.Entrant]->Spec;
      if ((d.Entrant ^ 1) >= d.Count) {
        // An entrant without a next opponent keeps its build.
        d.Result = d.Me;
        d.Step = gsStore;
        RunStep(d);
        break;
      }
      d.Partner = Tournament.Entrants[d.Entrant ^ 1]->Spec;
      d.Own = GrowthCandidates(d.Me, d.Partner);
      d.Opponents = FightersOf(GrowthCandidates(d.Partner, d.Me));
      d.Scores.assign(d.Own.size(), 0);
      d.Next = 0;
      GrowthSlice(d);
      break;
    }
    case gsGrowthSlice:
      // 2. One growth candidate scored; the last one also makes the choice.
      GrowthSlice(d);
      break;
    case gsOrderSetup:
      // 3. The orders of the chosen build; then the first slice.
      d.Own = OrderVariants(d.Chosen);
      d.Scores.assign(d.Own.size(), 0);
      d.Next = 0;
      OrderSlice(d);
      break;
    case gsOrderSlice:
      // 4. One order scored against the same opponent candidates; the last
      // one also makes the choice.
      OrderSlice(d);
      break;
    case gsStore:
      // 5. The grown build waits for the next match; on to the next entrant.
      GrownSpecs[d.Entrant] = d.Result;
      ++d.Entrant;
      d.Remaining = ShareLeft(d);
      if (d.Entrant < d.Count) {
        d.Step = gsSetup;
      } else {
        d.Growing = false;
      }
      break;
  }
}

}  // namespace

void StartGrowth() {
  const std::int32_t count = Tournament.EntrantCount;
  if (count < 0 || count > GrownSpecCount) {
    InternalError(UnitName, "growth started with more entrants than grown builds");
  }
  driver.Growing = true;
  driver.Entrant = 0;
  driver.Count = count;
  driver.Step = gsSetup;
  driver.Remaining = 100;
}

bool GrowthTick() {
  if (!driver.Growing) return false;
  RunStep(driver);
  return true;
}

bool IsGrowing() {
  return driver.Growing;
}

std::int32_t GrowthRemaining() {
  return driver.Remaining;
}

void ResetGrowth() {
  driver = TGrowthDriver();
}
