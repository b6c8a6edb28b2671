// The growth driver: after a round, every entrant still in grows by one build
// step chosen by the growth search, one small slice of work per 10 ms timer
// tick, so that the board stays responsive and shows the work left in percent.
// The grown builds wait in GrownSpecs until the next matches start.
#pragma once

#include <cstdint>

#include "rules/UnitSword.h"

constexpr int GrownSpecCount = 16;

// The grown build of each entrant still in, by its index in the entrants list.
extern TSpec GrownSpecs[GrownSpecCount];

// Starts growing every entrant still in (after a round has ended and the
// entrants list has been compacted).
void StartGrowth();
// True while the growth runs; the board's start region waits for it.
bool IsGrowing();
// The work left, in percent: 100 at the start, 0 at the end.
std::int32_t GrowthRemaining();
