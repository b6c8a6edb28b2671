#include "lab/LabMatch.h"

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "battle/Stepping.h"
#include "data/Tournament.h"

namespace {

// Clicks one battle may take before the lab gives up on it. A battle is over
// long before: at most 21 turns of a few hundred lines.
constexpr int MaxClicks = 1000000;

// The lab's side of the shown battle: no screen, no sound (the cue each
// click chose is read from the battle); the match is over once the stage is.
class TLabHost : public TBattleHost {
 public:
  bool BattleShown() const override { return Shown; }
  void HeroWon() override { Shown = false; }
  void StageOver() override { Shown = false; }
  bool Shown = true;
};

}  // namespace

bool PlayLabMatch(const std::string (&names)[2], const TSpec (&specs)[2], int stage,
                  long long skipAt, const TClickReport& report) {
  // 1. A stage with only these two entrants still in; the hero is out.
  ResetBattle();
  std::vector<TSwordia> entrants(2);
  for (int side = 0; side < 2; ++side) {
    entrants[side].Name = names[side];
    entrants[side].Spec = specs[side];
  }
  SetUpStage(Tournament, entrants, stage);
  // 2. Click 0 is the match start, entered as the game's battle mode enters
  // it; then one click at a time until the stage is over.
  TLabHost host;
  SetBattleHost(&host);
  auto done = [&](long long k, const char* cue) {
    if (!LogStore.StepLines.empty()) report(k, cue, LogStore.StepLines);
  };
  EnterBattleMode();
  done(0, nullptr);
  for (long long k = 1; host.Shown; ++k) {
    if (k > MaxClicks || Battle.PhaseCount == 0) {
      SetBattleHost(nullptr);
      return false;
    }
    if (k == skipAt) {
      BattleSkipClick(0);
    } else {
      BattleStepClick(0);
    }
    done(k, Battle.PlayedCue);
  }
  SetBattleHost(nullptr);
  return true;
}
