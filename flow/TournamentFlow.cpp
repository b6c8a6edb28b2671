#include "flow/TournamentFlow.h"

#include "battle/BattleHost.h"
#include "data/Tournament.h"
#include "flow/Mode.h"
#include "growth/GrowthDriver.h"
#include "present/Wave.h"

namespace {

// The game's side of a shown battle.
class TGameBattleHost : public TBattleHost {
 public:
  void PlayCue(const char* file) override { TBromWave::Play(file); }
  bool BattleShown() const override { return GameMode == gmBattle; }
  void HeroWon() override { SetMode(gmStory); }
  void StageOver() override { EndRound(); }
};

TGameBattleHost gameBattleHost;

}  // namespace

void ConnectGameFlow() {
  SetBattleHost(&gameBattleHost);
}

void EndRound() {
  TTournament& t = Tournament;
  // 1. The round closes: the hero's working copy, the entrants still in.
  CloseRound(t);
  // 2. Every rival still in grows against its next opponent while the board
  // is shown; after the final there is nobody left to grow.
  if (t.Stage >= FirstGrownStage && t.Stage <= FinalStage) StartGrowth();
  // 3. The board of the next stage.
  SetMode(gmBoard);
}
