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
  ResetTournament();
  ResetBattle();
  ConnectGameFlow();
  TTournament& t = Tournament;
  for (int side = 0; side < 2; ++side) {
    t.Slots[side].Name = names[side];
    t.Slots[side].Spec = specs[side];
    t.Entrants[side] = &t.Slots[side];
    GrownSpecs[side] = specs[side];  // from the first grown stage on, these take effect again
  }
  t.Slots[2].InTournament = false;
  t.Hero = &t.Slots[2];
  t.HeroEdit = *t.Hero;
  t.EntrantCount = 2;
  t.Stage = stage;
  // 2. Click 0 is the match start; then one click at a time until the battle
  // has left the battle screen.
  TLineCollector lines;
  SetLogListener(&lines);
  auto done = [&](long long k, const char* cue) {
    if (!lines.Lines.empty()) report(k, cue, lines.Lines);
    lines.Lines.clear();
    // The log window keeps only what it shows, as the scroll timer would.
    while (LogStore.LogCount > LogViewLines) LogDropFirst();
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
