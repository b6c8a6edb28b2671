#include "flow/Command.h"

#include "battle/Stepping.h"
#include "flow/Making.h"
#include "flow/Mode.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
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
