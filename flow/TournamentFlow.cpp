#include "flow/TournamentFlow.h"

#include "battle/BattleHost.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "flow/Mode.h"
#include "growth/GrowthDriver.h"
#include "paint/BattleScreen.h"
#include "paint/BoardScreen.h"
#include "paint/ScreenKit.h"
#include "present/App.h"
#include "present/PictureCheck.h"
#include "rules/Cues.h"
#include "rules/DataFolder.h"
#include "rules/InternalError.h"
#include "rules/Product.h"

namespace {

// The game's side of a shown battle.
class TGameBattleHost : public TBattleHost {
 public:
  explicit TGameBattleHost(TGame& game) : game_(game) {}
  void PaintMatch() override {
    ShowScreen(game_, PaintBattle(ScreensOf(game_), game_));
    AskPresent(game_);
  }
  void RefreshFighters() override { ::RefreshFighters(ScreensOf(game_), game_); }
  void PlayCue(const char* file) override { AskCue(game_, file); }
  // The battle is left as soon as another screen is asked for.
  bool BattleShown() const override { return game_.Mode == gmBattle && !game_.AskedMode; }
  // The story of the stage, without a cue of its own.
  void HeroWon() override { SetMode(game_, gmStory); }
  void StageOver() override { EndRound(game_); }

 private:
  TGame& game_;
};

void PlayTransition(TGame& g) {
  AskCue(g, CueTransition);
}

}  // namespace

void ConnectGameFlow(TGame& g) {
  g.UseBattleHost(std::make_unique<TGameBattleHost>(g));
}

void ShowBoard(TGame& g) {
  TScreens& s = ScreensOf(g);
  // 1. The board and its regions.
  ShowScreen(g, PaintBoard(s, g));
  // 2. While the rivals grow, the work left; its end may light START under a
  // resting pointer, which takes the board's regions.
  if (g.Growth.Growing && ShowGrowthProgress(s, g, g.Growth.Remaining)) AskPresent(g);
  // 3.
  AskPresent(g);
}

void GrowthTimer(TGame& g) {
  // A tick is a step of its own. The growth runs under every screen; its
  // progress is drawn, and the screen presented, only while the board shows.
  RunGameStep(g, [&g] {
    if (!GrowthTick(g.Growth, g.Tournament, g.Dice) || g.Mode != gmBoard) return;
    TScreens& s = ScreensOf(g);
    if (ShowGrowthProgress(s, g, g.Growth.Remaining)) AskPresent(g);
    AskPresent(g);
  });
}

void LoadRoster(TGame& g, std::string_view rosterPath, std::string_view imageFolder) {
  std::vector<TSwordia> entries;
  std::string fault;
  if (!ReadRoster(rosterPath, imageFolder, PictureCheck(), entries, fault)) {
    RosterFatal(g, fault);
    return;
  }
  DrawEntrants(g.Tournament, entries, g.Dice);
}

void RosterFatal(TGame& g, std::string_view text) {
  // 1. The message box, captioned with the program's title, once the step
  // is over.
  g.AskedMessages.emplace_back(ProgramTitle, text);
  // 2. Then the program ends, after the current event.
  g.QuitAsked = true;
  // 3. The game start sees the flag and does nothing more.
  g.LoadFailed = true;
}

void BlankForRoster(TGame& g) {
  // 1.
  PlayTransition(g);
  // 2. The window stays black while the roster loads.
  ClearScreen(ScreensOf(g));
  AskPresent(g);
}

void StartGame(TGame& g, std::string_view rosterPath) {
  TTournament& t = g.Tournament;
  // 3. The roster, and the draw from it. A broken roster has been shown and
  // the program is ending.
  LoadRoster(g, rosterPath.empty() ? std::string_view(RosterFileName) : rosterPath, DataFolder);
  if (g.LoadFailed) return;
  // 4. Every slot is in.
  EnterAllSlots(t);
  // 5.
  LoadPortraits(ScreensOf(g), t);
  // 6. The hero keeps roster entry 1's name, picture and flavour, and starts
  // from nothing with the points to make itself.
  t.Hero->Spec = TSpec();
  t.Hero->Bonus = HeroStartBonus;
  // 7.
  t.HeroEdit = *t.Hero;
  // 8.
  t.Stage = 0;
  SetMode(g, gmMaking);
}

void StartRound(TGame& g, std::int32_t /*tag*/) {
  // The start waits for the hero's points to be spent and for the rivals to
  // have grown; after the final it stays inert.
  if (!CanStartRound(g.Tournament, g.Growth.Growing)) return;
  // 1. The battle mode's entry starts match 0, or goes on after the hero's.
  PlayTransition(g);
  SetMode(g, gmBattle);
}

void EndRound(TGame& g) {
  TTournament& t = g.Tournament;
  // 1. The round closes: the hero's working copy, the entrants still in.
  CloseRound(t);
  // 2. Every rival still in grows against its next opponent while the board
  // is shown; after the final there is nobody left to grow.
  if (t.Stage >= FirstGrownStage && t.Stage <= FinalStage) StartGrowth(g.Growth, t);
  // 3. The board of the next stage (after the final: the champion's board).
  SetMode(g, gmBoard);
}

void StoryEnded(TGame& g) {
  TTournament& t = g.Tournament;
  if (t.Stage < 0 || t.Stage > FinalStage) InternalError("UnitData", "a story after the end");
  // 1.
  PlayTransition(g);
  if (t.Stage == 0) {
    // 2. After the prologue: the board of the first round.
    t.Stage = FirstRoundStage;
    SetMode(g, gmBoard);
  } else {
    // 3. After a hero win: the round goes on with the next match.
    SetMode(g, gmBattle);
  }
}

void ViewEntrant(TGame& g, std::int32_t k) {
  if (k < 0 || k >= SlotCount) InternalError("UnitData", "no such slot to view");
  PlayTransition(g);
  g.Tournament.Viewed = &g.Tournament.Slots[k];
  SetMode(g, gmView);
}

void CloseView(TGame& g, std::int32_t /*tag*/) {
  if (g.Mode != gmView) return;
  PlayTransition(g);
  SetMode(g, gmBoard);
}

void ChangeBuild(TGame& g, std::int32_t /*tag*/) {
  if (!CanRebuild(g.Tournament)) return;
  PlayTransition(g);
  SetMode(g, gmMaking);
}
