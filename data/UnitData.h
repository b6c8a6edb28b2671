// The tournament state: the 32 slots in bracket order, the hero and the hero's
// working copy, the entrants still in, the stage, and the entrant shown by the
// opponent view. One instance lives for the whole run; tests and the lab may
// reset it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/UnitSword.h"

constexpr int SlotCount = 32;
constexpr int StageCount = 6;  // named stages 0..5; stage 6 is the end

// "抽選", "第一回戦" ... "決勝戦", indexed by stage 0..5.
const char* StageName(int stage);

struct TTournament {
  TSwordia Slots[SlotCount];
  TSwordia* Hero = nullptr;            // one of Slots
  TSwordia HeroEdit;                   // the hero as edited in hero making
  TSwordia* Entrants[SlotCount] = {};  // entrants still in, in bracket order
  std::int32_t EntrantCount = 0;
  std::int32_t Stage = 0;
  TSwordia* Viewed = nullptr;  // one of Slots
};

// The one tournament of the run.
extern TTournament Tournament;

// Clears the tournament back to its state at program start.
void ResetTournament();

// The end of a round, with Stage already advanced (2..6): the hero's working
// copy starts from the hero as it fought, the entrants still in close up in
// bracket order, the rivals start growing (stages 2..5) and the board shows.
void EndRound();

// The draw: roster entry 1 (entries[0]) becomes the hero in a random slot and
// 31 distinct rivals are drawn from entries 2..N into the other slots.
// Needs at least 32 entries.
void DrawEntrants(const std::vector<TSwordia>& entries);
