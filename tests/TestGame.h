// The game the tests without a window play in: one value for the whole test
// program, made afresh by NewTestGame (every harness and fixture starts from
// a fresh one). Its parts go by the names the game's rules give them, so that
// a test reads as the rules do. Tests with a window use the window's game.
#pragma once

#include <vector>

#include "game/Game.h"
#include "tests/EffectLog.h"

TGame& TestGame();
// A fresh game in the same place: the names below go on naming its parts.
void NewTestGame();
// The view every test game, this one and those made afresh, is shown on,
// and the shell its steps are given (tests/TestScreens.h; in the tests
// without a window, none and a silent one).
void ShowTestGamesOn(TGameView* view, TGameShell* shell);
TGameShell& TestShell();

inline TTournament& Tournament = TestGame().Tournament;
inline TSpec (&GrownSpecs)[GrownSpecCount] = TestGame().Tournament.GrownSpecs;
inline TBattle& Battle = TestGame().Battle;
inline TLogStore& LogStore = TestGame().LogStore;
inline const TGameMode& GameMode = TestGame().Mode;

// The tests' game's growth, battle and phases, as the rules step them.
inline void StartGrowth() {
  StartGrowth(TestGame().Growth, Tournament);
}
inline bool GrowthTick() {
  return GrowthTick(TestGame().Growth, Tournament, TestGame().Dice);
}
inline bool IsGrowing() {
  return TestGame().Growth.Growing;
}
inline std::int32_t GrowthRemaining() {
  return TestGame().Growth.Remaining;
}
inline int SimulateBattle(const TSpec& a, const TSpec& b) {
  return SimulateBattle(Battle, a, b);
}
inline bool RunNextPhase() {
  return RunNextPhase(Battle);
}
