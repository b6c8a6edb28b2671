#include "game/Step.h"

#include "battle/Stepping.h"
#include "game/Making.h"
#include "game/Round.h"
#include "game/StoryRunner.h"
#include "rules/InternalError.h"

namespace {

// Runs the entry of mode m; a change the entry asks for waits.
void RunEntry(TGame& g, TGameShell& shell, TGameMode m) {
  const TModeHold hold(g, shell);
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
      ActOnBattle(g, EnterBattleMode(g.Battle));
      break;
  }
}

// The mode's entry with the shell hearing it before and after. What was
// asked before the change is carried out before the shell hears of it, and
// what the entry asked before it hears that it is done.
void EnterHeard(TGame& g, TGameShell& shell, TGameMode m) {
  ApplyEffects(g, shell);
  g.Mode = m;
  shell.ModeChanged(g, m, false);
  RunEntry(g, shell, m);
  ApplyEffects(g, shell);
  shell.ModeChanged(g, m, true);
}

void Carry(TGame& g, const TCommand& command) {
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
      return ActOnBattle(g, BattleStepClick(g.Battle));
    case TCommandKind::BattleSkip:
      return ActOnBattle(g, BattleSkipClick(g.Battle));
  }
  InternalError("UnitForm", "unknown command");
}

}  // namespace

void EnterAskedModes(TGame& g, TGameShell& shell) {
  while (g.AskedMode) {
    const TGameMode m = *g.AskedMode;
    g.AskedMode.reset();
    EnterHeard(g, shell, m);
  }
}

void EnterMode(TGame& g, TGameShell& shell, TGameMode m) {
  RunGameStep(g, shell, [&] { SetMode(g, m); });
}

void RunCommand(TGame& g, TGameShell& shell, const TCommand& command) {
  RunGameStep(g, shell, [&] { Carry(g, command); });
}

void StartFromTitle(TGame& g, TGameShell& shell, std::string_view rosterPath,
                    const TImageCheck& pictures) {
  RunGameStep(g, shell, [&] { BlankForRoster(g); });
  RunGameStep(g, shell, [&] { StartGame(g, rosterPath, pictures); });
}

void GrowthStep(TGame& g, TGameShell& shell) {
  // The growth runs under every screen; its progress is drawn, and the
  // screen presented, only while the board shows.
  RunGameStep(g, shell, [&g] {
    if (!GrowthTick(g.Growth, g.Tournament, g.Dice) || g.Mode != gmBoard) return;
    if (g.View.ShowGrowthProgress(g, g.Growth.Remaining)) AskPresent(g);
    AskPresent(g);
  });
}
