#include "flow/TournamentFlow.h"

#include "battle/BattleHost.h"
#include "data/Tournament.h"
#include "flow/Mode.h"
#include "growth/GrowthDriver.h"
#include "paint/BattleScreen.h"
#include "paint/BoardScreen.h"
#include "paint/ScreenKit.h"
#include "present/Wave.h"

namespace {

// The game's side of a shown battle.
class TGameBattleHost : public TBattleHost {
 public:
  void PaintMatch() override { PaintBattle(); }
  void RefreshFighters() override { ::RefreshFighters(); }
  void PlayCue(const char* file) override { TBromWave::Play(file); }
  bool BattleShown() const override { return GameMode == gmBattle; }
  void HeroWon() override { SetMode(gmStory); }
  void StageOver() override { EndRound(); }
};

TGameBattleHost gameBattleHost;

// The growth runs under every screen; its progress is drawn, and the screen
// presented, only while the board shows.
void GrowthProgressOnBoard(std::int32_t remaining) {
  if (GameMode == gmBoard) ShowGrowthProgress(remaining);
}

void PresentBoardAfterGrowth() {
  if (GameMode == gmBoard) Present();
}

}  // namespace

void ConnectGameFlow() {
  SetBattleHost(&gameBattleHost);
  SetGrowthProgressHook(GrowthProgressOnBoard);
  SetGrowthPresentHook(PresentBoardAfterGrowth);
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
