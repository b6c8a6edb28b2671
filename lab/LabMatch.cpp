#include "lab/LabMatch.h"

#include "battle/Battle.h"
#include "battle/BattleLog.h"
#include "battle/Stepping.h"
#include "data/Tournament.h"
#include "flow/Mode.h"
#include "flow/TournamentFlow.h"
#include "growth/GrowthDriver.h"

namespace {

// Clicks one battle may take before the lab gives up on it. A battle is over
// long before: at most 21 turns of a few hundred lines.
constexpr int MaxClicks = 1000000;

// Collects the lines of one click.
class TLineCollector : public TLogListener {
 public:
  void LineLogged(std::string_view line) override { Lines.emplace_back(line); }
  TStringDynArray Lines;
};

}  // namespace

bool PlayLabMatch(const std::string (&names)[2], const TSpec (&specs)[2], int stage,
                  long long skipAt, const TClickReport& report) {
  // 1. A stage with only these two entrants still in; the hero is out.
  ResetBattle();
  ConnectGameFlow();
  std::vector<TSwordia> entrants(2);
  for (int side = 0; side < 2; ++side) {
    entrants[side].Name = names[side];
    entrants[side].Spec = specs[side];
  }
  SetUpStage(Tournament, entrants, stage);
  // 2. Click 0 is the match start; then one click at a time until the battle
  // has left the battle screen.
  TLineCollector lines;
  SetLogListener(&lines);
  auto done = [&](long long k, const char* cue) {
    if (!lines.Lines.empty()) report(k, cue, lines.Lines);
    lines.Lines.clear();
  };
  SetMode(gmBattle);
  done(0, nullptr);
  for (long long k = 1; GameMode == gmBattle; ++k) {
    if (k > MaxClicks || Battle.PhaseCount == 0) {
      SetLogListener(nullptr);
      return false;
    }
    if (k == skipAt) {
      BattleSkipClick(0);
    } else {
      BattleStepClick(0);
    }
    done(k, Battle.PlayedCue);
  }
  SetLogListener(nullptr);
  return true;
}
