#include "game/Step.h"

#include "battle/Stepping.h"
#include "game/Making.h"
#include "game/Round.h"
#include "game/StoryRunner.h"
#include "rules/InternalError.h"

void RunEntry(TGame& g, TGameShell& shell, TGameMode m) {
  const TModeHold hold(g);
  switch (m) {
    case gmTitle:
      // The title picture; no regions: the main window takes its click.
      g.View.ShowTitle();
      AskPresent(g);
      break;
    case gmMaking:
      // The hero setup screen and its 63 regions.
      g.View.ShowMaking(g);
      AskPresent(g);
      break;
    case gmStory:
      // The piece of the stage, its screen and first page.
      EnterStory(g);
      break;
    case gmBoard:
      // The tournament board: portraits to view, the start, the build change.
      ShowBoard(g);
      break;
    case gmView:
      // The entrant chosen on the board; every click returns to the board.
      if (g.Tournament.Viewed == nullptr) InternalError("UnitMode", "no entrant to view");
      g.View.ShowOpponent(g, *g.Tournament.Viewed);
      AskPresent(g);
      break;
    case gmBattle:
      // The battle screen is painted, with its regions, by each match start.
      ActOnBattle(g, shell, EnterBattleMode(g.Battle));
      break;
  }
}

void CarryOut(TGame& g, TGameShell& shell, const TCommand& command) {
  const std::int32_t tag = command.Tag;
  switch (command.Kind) {
    case TCommandKind::None:
      return;
    // Hero making.
    case TCommandKind::RaiseStat:
      return RaiseStat(g, tag);
    case TCommandKind::AddSword:
      return AddSword(g, tag);
    case TCommandKind::ResetEdit:
      return ResetEdit(g, tag);
    case TCommandKind::DecideEdit:
      return DecideEdit(g, tag);
    case TCommandKind::SwapSwords:
      return SwapSwords(g, tag);
    // The board and the opponent view.
    case TCommandKind::CloseView:
      return CloseView(g, tag);
    case TCommandKind::ViewEntrant:
      return ViewEntrant(g, tag);
    case TCommandKind::StartRound:
      return StartRound(g, tag);
    case TCommandKind::ChangeBuild:
      return ChangeBuild(g, tag);
    // The story.
    case TCommandKind::CloseStory:
      return CloseStory(g, tag);
    case TCommandKind::NextPage:
      return NextParagraph(g, tag);
    // The battle.
    case TCommandKind::BattleStep:
      return ActOnBattle(g, shell, BattleStepClick(g.Battle));
    case TCommandKind::BattleSkip:
      return ActOnBattle(g, shell, BattleSkipClick(g.Battle));
  }
  InternalError("UnitForm", "unknown command");
}

void GrowthSlice(TGame& g) {
  // The growth runs under every screen; its progress is drawn, and the
  // screen presented, only while the board shows.
  if (!GrowthTick(g.Growth, g.Tournament, g.Dice) || g.Mode != gmBoard) return;
  if (g.View.ShowGrowthProgress(g, g.Growth.Remaining)) AskPresent(g);
  AskPresent(g);
}
