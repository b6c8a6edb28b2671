// Design unit: UnitSimulation.
// The growth driver: after a round, every entrant still in grows by one build
// step chosen by the growth search, one small slice of work per 10 ms timer
// tick, so that the board stays responsive and shows the work left in percent.
// The grown builds wait in GrownSpecs until the next matches start.
//
// Each entrant is grown in five steps: Setup (its candidates and those of its
// next opponent), one GrowthSlice per candidate (one candidate scored against
// every opponent candidate), OrderSetup (the orders of the chosen build), one
// OrderSlice per order, and Store. A tick runs one step; a setup step runs
// the first slice in the same tick, and the last slice of a phase makes its
// choice, so no tick does more than about one slice.
#pragma once

#include <cstdint>

#include "data/Tournament.h"
#include "growth/GrowthSearch.h"
#include "rules/Sword.h"

enum TGrowthStep : std::uint8_t { gsSetup, gsGrowthSlice, gsOrderSetup, gsOrderSlice, gsStore };

// The driver's state: the game holds one; a new game starts with none
// growing.
struct TGrowthDriver {
  bool Growing = false;  // true while the growth runs: the board's start waits for it
  TGrowthStep Step = gsSetup;
  std::int32_t Remaining =
      0;  // the work left in percent: 100 at the start, never rising, 0 at the end
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
  // Silent battles this driver has fought, over every growth it ran (the
  // lab and the benchmarks report the work).
  std::int64_t BattlesPlayed = 0;
};

// Starts growing every entrant still in (after a round has ended and the
// entrants list has been compacted): 16, 8, 4 or 2 of them, each against its
// next opponent (entrant i against entrant i xor 1). An entrant without an
// opponent (a lone entrant left) keeps its build.
void StartGrowth(TGrowthDriver& driver, const TTournament& t);
// Runs the next step of the growth with the game's dice, writing the grown
// builds into the tournament's GrownSpecs; true when a step ran (then the work left is to be
// shown: the last step shows 0 once, which clears the board's progress line).
// Does nothing while no growth runs. The main window calls it from its 10 ms
// timer and shows the progress while the board is the screen.
bool GrowthTick(TGrowthDriver& driver, TTournament& t, TRandom& dice);
