#include "growth/GrowthDriver.h"

#include "data/Tournament.h"
#include "growth/GrowthSearch.h"

namespace {

constexpr const char* UnitName = "UnitSimulation";

// The share of the work left once entrant i starts: (N - i) * 100 / N.
std::int32_t ShareLeft(const TGrowthDriver& d) {
  return (d.Count - d.Entrant) * 100 / d.Count;
}

void GrowthSlice(TGrowthDriver& d, TRandom& dice) {
  const std::int32_t length = static_cast<std::int32_t>(d.Own.size());
  d.Scores[d.Next] = ScoreAgainstFighters(d.Own[d.Next], d.Opponents);
  d.BattlesPlayed += static_cast<std::int64_t>(d.Opponents.size());
  // The growth phase walks through the first half of the entrant's share.
  d.Remaining = ShareLeft(d) - (d.Next * 50 / length) / d.Count;
  ++d.Next;
  if (d.Next < length) {
    d.Step = gsGrowthSlice;
    return;
  }
  AddKeepLengthBonus(d.Me, d.Own, d.Scores);
  d.Chosen = PickBest(d.Own, d.Scores, dice);
  d.Step = gsOrderSetup;
}

void OrderSlice(TGrowthDriver& d, TRandom& dice) {
  const std::int32_t length = static_cast<std::int32_t>(d.Own.size());
  d.Scores[d.Next] = ScoreAgainstFighters(d.Own[d.Next], d.Opponents);
  d.BattlesPlayed += static_cast<std::int64_t>(d.Opponents.size());
  // The order phase walks through the second half.
  d.Remaining = ShareLeft(d) - (d.Next * 50 / length + 50) / d.Count;
  ++d.Next;
  if (d.Next < length) {
    d.Step = gsOrderSlice;
    return;
  }
  AddOrderBonus(d.Own, d.Scores);
  d.Result = PickBest(d.Own, d.Scores, dice);
  d.Step = gsStore;
}

void RunStep(TGrowthDriver& d, TTournament& t, TRandom& dice) {
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
      d.Me = t.Entrants[d.Entrant]->Spec;
      if ((d.Entrant ^ 1) >= d.Count) {
        // An entrant without a next opponent keeps its build.
        d.Result = d.Me;
        d.Step = gsStore;
        RunStep(d, t, dice);
        break;
      }
      d.Partner = t.Entrants[d.Entrant ^ 1]->Spec;
      d.Own = GrowthCandidates(d.Me, d.Partner, dice);
      d.Opponents = FightersOf(GrowthCandidates(d.Partner, d.Me, dice));
      d.Scores.assign(d.Own.size(), 0);
      d.Next = 0;
      GrowthSlice(d, dice);
      break;
    }
    case gsGrowthSlice:
      // 2. One growth candidate scored; the last one also makes the choice.
      GrowthSlice(d, dice);
      break;
    case gsOrderSetup:
      // 3. The orders of the chosen build; then the first slice.
      d.Own = OrderVariants(d.Chosen, dice);
      d.Scores.assign(d.Own.size(), 0);
      d.Next = 0;
      OrderSlice(d, dice);
      break;
    case gsOrderSlice:
      // 4. One order scored against the same opponent candidates; the last
      // one also makes the choice.
      OrderSlice(d, dice);
      break;
    case gsStore:
      // 5. The grown build waits for the next match; on to the next entrant.
      t.GrownSpecs[d.Entrant] = d.Result;
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

void StartGrowth(TGrowthDriver& driver, const TTournament& t) {
  const std::int32_t count = t.EntrantCount;
  if (count < 0 || count > GrownSpecCount) {
    InternalError(UnitName, "growth started with more entrants than grown builds");
  }
  driver.Growing = true;
  driver.Entrant = 0;
  driver.Count = count;
  driver.Step = gsSetup;
  driver.Remaining = 100;
}

bool GrowthTick(TGrowthDriver& driver, TTournament& t, TRandom& dice) {
  if (!driver.Growing) return false;
  RunStep(driver, t, dice);
  return true;
}
