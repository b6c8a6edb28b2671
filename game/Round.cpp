#include "game/Round.h"

#include "battle/BattleHost.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "growth/GrowthDriver.h"
#include "rules/Cues.h"
#include "rules/DataFolder.h"
#include "rules/InternalError.h"
#include "rules/Product.h"
#include "script/TextFile.h"

namespace {

void PlayTransition(TGame& g) {
  AskCue(g, CueTransition);
}

}  // namespace

void TGameBattleHost::PaintMatch() {
  game_.View.ShowMatch(game_);
  AskPresent(game_);
}

void ActOnBattle(TGame& g, TGameShell& shell, const TClickOutcome& o) {
  if (o.Decided) shell.MatchDecided(g, *o.Winner, *o.Loser, o.Result);
  if (o.Cue != nullptr) AskCue(g, o.Cue);
  if (o.FightersChanged) AskFighters(g);
  switch (o.HandOver) {
    case THandOver::None:
      break;
    case THandOver::Story:
      SetMode(g, gmStory);
      break;
    case THandOver::StageOver:
      EndRound(g);
      break;
  }
}

void ShowBoard(TGame& g) {
  // 1. The board and its regions.
  g.View.ShowBoard(g);
  // 2. While the rivals grow, the work left; its end may light START under a
  // resting pointer, which takes the board's regions.
  if (g.Growth.Growing && g.View.ShowGrowthProgress(g, g.Growth.Remaining)) AskPresent(g);
  // 3.
  AskPresent(g);
}

void LoadRoster(TGame& g, std::string_view rosterPath, std::string_view imageFolder,
                const TImageCheck& pictures) {
  std::vector<TSwordia> entries;
  std::string fault;
  if (!ReadRoster(rosterPath, imageFolder, pictures, entries, fault)) {
    // The roster's message as it stands, then the file's real path on a
    // line of its own, so that an author knows which file was read.
    RosterFatal(g, fault + "\r\n" + ShownFilePath(rosterPath));
    return;
  }
  DrawEntrants(g.Tournament, entries, g.Dice);
}

void RosterFatal(TGame& g, std::string_view text) {
  // 1. The message box, captioned with the program's title, once the step
  // is over.
  AskMessage(g, ProgramTitle, text);
  // 2. Then the window's loop ends, after the current event.
  AskQuit(g);
  // 3. The game start sees the flag and does nothing more.
  g.LoadFailed = true;
}

void BlankForRoster(TGame& g) {
  // 1.
  PlayTransition(g);
  // 2. The window stays black while the roster loads.
  g.View.ShowBlank();
  AskPresent(g);
}

void StartGame(TGame& g, std::string_view rosterPath, const TImageCheck& pictures) {
  TTournament& t = g.Tournament;
  // 3. The roster, and the draw from it. A broken roster has been shown and
  // the window's loop is ending.
  LoadRoster(g, rosterPath.empty() ? std::string_view(RosterFileName) : rosterPath, DataFolder,
             pictures);
  if (g.LoadFailed) return;
  // 4. Every slot is in.
  EnterAllSlots(t);
  // 5.
  g.View.LoadPortraits(t);
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
