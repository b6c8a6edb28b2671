#include "data/UnitData.h"

#include "flow/UnitMode.h"
#include "growth/UnitSimulation.h"
#include "rules/UnitRandom.h"

TTournament Tournament;

const char* StageName(int stage) {
  static const char* const Names[StageCount] = {"抽選",     "第一回戦", "第二回戦",
                                                "第三回戦", "第四回戦", "決勝戦"};
  if (stage < 0 || stage >= StageCount) InternalError("UnitData", "stage out of range");
  return Names[stage];
}

void ResetTournament() {
  Tournament = TTournament();
}

void DrawEntrants(const std::vector<TSwordia>& entries) {
  if (entries.size() < static_cast<std::size_t>(SlotCount)) {
    InternalError("UnitData", "fewer than 32 entries to draw from");
  }
  // 1. The hero's slot.
  const int h = Random(SlotCount);
  Tournament.Slots[h] = entries[0];
  Tournament.Hero = &Tournament.Slots[h];
  // 2. The pool: entries 2..N in file order.
  std::vector<const TSwordia*> pool;
  for (std::size_t i = 1; i < entries.size(); ++i) pool.push_back(&entries[i]);
  // 3. Every other slot draws one entry from the pool, without repetition.
  for (int k = 0; k < SlotCount; ++k) {
    if (k == h) continue;
    const int i = Random(static_cast<std::int32_t>(pool.size()));
    Tournament.Slots[k] = *pool[i];
    pool.erase(pool.begin() + i);
  }
}

void EndRound() {
  TTournament& t = Tournament;
  // 1. Hero making starts from the hero as it fought, with the point just won.
  if (t.Hero != nullptr) t.HeroEdit = *t.Hero;
  // 2. Keep the entrants still in, in the same order, from index 0.
  int kept = 0;
  for (int i = 0; i < t.EntrantCount; ++i) {
    if (t.Entrants[i]->InTournament) t.Entrants[kept++] = t.Entrants[i];
  }
  for (int i = kept; i < t.EntrantCount; ++i) t.Entrants[i] = nullptr;
  t.EntrantCount = kept;
  // 3. Every rival still in grows against its next opponent while the board
  // is shown; after the final there is nobody left to grow.
  if (t.Stage >= 2 && t.Stage <= 5) StartGrowth();
  // 4. The board of the next stage.
  SetMode(gmBoard);
}
