#include "lab/LabMatch.h"

#include <memory>

#include "battle/Stepping.h"
#include "game/Game.h"

namespace {

// Clicks one battle may take before the lab gives up on it. A battle is over
// long before: at most 21 turns of a few hundred lines.
constexpr int MaxClicks = 1000000;

}  // namespace

bool PlayLabMatch(const std::string (&names)[2], const TSpec (&specs)[2], int stage,
                  long long skipAt, TRandom& dice, const TClickReport& report) {
  // 1. A game at a stage with only these two entrants still in; the hero is
  // out. Its battle throws the caller's dice.
  const auto game = std::make_unique<TGame>();
  game->Battle.Dice = &dice;
  std::vector<TSwordia> entrants(2);
  for (int side = 0; side < 2; ++side) {
    entrants[side].Name = names[side];
    entrants[side].Spec = specs[side];
  }
  SetUpStage(game->Tournament, entrants, stage);
  // 2. Click 0 is the match start, entered as the game's battle mode enters
  // it; then one click at a time until the stage is over.
  // The lab's battle paints no screen and plays no sound (the cue each click
  // chose is read from the battle); the match is over once the stage is.
  TBattleHost paintsNothing;
  TBattle& battle = game->Battle;
  battle.Host = &paintsNothing;
  const TLogStore& log = game->LogStore;
  auto done = [&](long long k, const char* cue) {
    if (!log.StepLines.empty()) report(k, cue, log.StepLines);
  };
  EnterBattleMode(battle);
  done(0, nullptr);
  for (long long k = 1;; ++k) {
    if (k > MaxClicks || battle.PhaseCount == 0) return false;
    const TClickOutcome o = k == skipAt ? BattleSkipClick(battle) : BattleStepClick(battle);
    done(k, battle.PlayedCue);
    if (o.HandOver != THandOver::None) break;
  }
  return true;
}
