#include "flow/Command.h"

#include "battle/Stepping.h"
#include "flow/Keys.h"
#include "flow/Making.h"
#include "flow/Mode.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "paint/ScreenKit.h"
#include "rules/InternalError.h"

namespace {

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
      return BattleStepClick(g.Battle);
    case TCommandKind::BattleSkip:
      return BattleSkipClick(g.Battle);
  }
  InternalError("UnitForm", "unknown command");
}

}  // namespace

void RunCommand(TGame& g, const TCommand& command) {
  RunGameStep(g, [&] { Carry(g, command); });
}

void RunRivalMatches(TGame& g) {
  // A round's rival matches take a few thousand clicks at most; the bound
  // only keeps a battle that could never end from holding the window.
  constexpr int MostClicks = 1000000;
  for (int click = 0; click < MostClicks && RivalMatchShown(g); ++click) {
    // SKIP while it is shown, then the clicks on the battle, each found as
    // a click finds its region.
    const TCommandKind kind =
        g.Battle.SkipAllowed ? TCommandKind::BattleSkip : TCommandKind::BattleStep;
    const TCommand command = SensorCommand(ScreensOf(g).Sensors, kind);
    if (command.Kind == TCommandKind::None) return;
    RunCommand(g, command);
  }
}
