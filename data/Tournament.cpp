#include "data/Tournament.h"

#include "rules/Random.h"

const char* StageName(int stage) {
  static const char* const Names[StageCount] = {"抽選",     "第一回戦", "第二回戦",
                                                "第三回戦", "第四回戦", "決勝戦"};
  if (stage < 0 || stage >= StageCount) InternalError("UnitData", "stage out of range");
  return Names[stage];
}

void DrawEntrants(TTournament& t, const std::vector<TSwordia>& entries, TRandom& dice,
                  int (*drawn)[SlotCount]) {
  if (entries.size() < static_cast<std::size_t>(SlotCount)) {
    InternalError("UnitData", "fewer than 32 entries to draw from");
  }
  // 1. The hero's slot.
  const int h = dice.Next(SlotCount);
  t.Slots[h] = entries[0];
  t.Hero = &t.Slots[h];
  if (drawn != nullptr) (*drawn)[h] = 0;
  // 2. The pool: entries 2..N in file order.
  std::vector<int> pool;
  for (std::size_t i = 1; i < entries.size(); ++i) pool.push_back(static_cast<int>(i));
  // 3. Every other slot draws one entry from the pool, without repetition.
  for (int k = 0; k < SlotCount; ++k) {
    if (k == h) continue;
    const int i = dice.Next(static_cast<std::int32_t>(pool.size()));
    t.Slots[k] = entries[static_cast<std::size_t>(pool[i])];
    if (drawn != nullptr) (*drawn)[k] = pool[i];
    pool.erase(pool.begin() + i);
  }
}

void EnterAllSlots(TTournament& t) {
  t.EntrantCount = SlotCount;
  for (int k = 0; k < SlotCount; ++k) t.Entrants[k] = &t.Slots[k];
}

void SetUpStage(TTournament& t, const std::vector<TSwordia>& entrants, int stage, int hero) {
  const int n = static_cast<int>(entrants.size());
  if (n >= SlotCount) InternalError("UnitData", "a stage of more than 31 entrants");
  t = TTournament();
  for (int i = 0; i < n; ++i) {
    t.Slots[i] = entrants[static_cast<std::size_t>(i)];
    t.Entrants[i] = &t.Slots[i];
    if (i < GrownSpecCount) t.GrownSpecs[i] = t.Slots[i].Spec;
  }
  t.Slots[n].InTournament = false;
  t.Hero = &t.Slots[hero >= 0 ? hero : n];
  t.HeroEdit = *t.Hero;
  t.EntrantCount = n;
  t.Stage = stage;
}

void RecordMatchResult(TTournament& t, TSwordia& winner, TSwordia& loser) {
  winner.Wins = static_cast<std::int32_t>(static_cast<std::uint32_t>(winner.Wins) + 1u);
  loser.InTournament = false;
  const char* stage = StageName(t.Stage);
  AddHistory(winner, HistoryWinLine(stage, loser.Name));
  AddHistory(loser, HistoryLossLine(stage, winner.Name));
}

bool AwardBonus(const TTournament& t, TSwordia& winner) {
  if (t.Stage >= FinalStage) return false;
  winner.Bonus = static_cast<std::int32_t>(static_cast<std::uint32_t>(winner.Bonus) + 1u);
  return true;
}

void CloseRound(TTournament& t) {
  // 1. Hero making starts from the hero as it fought, with the point just won.
  if (t.Hero != nullptr) t.HeroEdit = *t.Hero;
  // 2. Keep the entrants still in, in the same order, from index 0.
  int kept = 0;
  for (int i = 0; i < t.EntrantCount; ++i) {
    if (t.Entrants[i]->InTournament) t.Entrants[kept++] = t.Entrants[i];
  }
  for (int i = kept; i < t.EntrantCount; ++i) t.Entrants[i] = nullptr;
  t.EntrantCount = kept;
}

bool CanSpend(const TTournament& t) {
  return t.HeroEdit.Bonus > 0;
}

bool HeroChanged(const TTournament& t) {
  if (t.Hero == nullptr) return false;
  const TSpec& a = t.HeroEdit.Spec;
  const TSpec& b = t.Hero->Spec;
  return a.MaxHP != b.MaxHP || a.Attack != b.Attack || a.Defence != b.Defence ||
         a.Speed != b.Speed || a.Swords.Str() != b.Swords.Str();
}

bool CanDecide(const TTournament& t) {
  return t.Stage > 0 || t.HeroEdit.Bonus == 0;
}

bool CanStartRound(const TTournament& t, bool growing) {
  return t.HeroEdit.Bonus <= 0 && t.Stage <= FinalStage && !growing;
}

bool StageHasRebuild(const TTournament& t) {
  return t.Stage >= FirstGrownStage && t.Stage <= FinalStage;
}

bool CanRebuild(const TTournament& t) {
  return StageHasRebuild(t) && t.Hero != nullptr && t.Hero->InTournament;
}

bool CanStartAnew(const TTournament& t) {
  return t.Hero != nullptr && (t.Stage == EndStage || !t.Hero->InTournament);
}
