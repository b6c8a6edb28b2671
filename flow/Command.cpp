#include "flow/Command.h"

#include "battle/Stepping.h"
#include "flow/Making.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "rules/InternalError.h"

void RunCommand(const TCommand& command) {
  const std::int32_t tag = command.Tag;
  switch (command.Kind) {
    case TCommandKind::None:
      return;
    // Hero making.
    case TCommandKind::RaiseStat:
      return RaiseStat(tag);
    case TCommandKind::AddSword:
      return AddSword(tag);
    case TCommandKind::ResetEdit:
      return ResetEdit(tag);
    case TCommandKind::DecideEdit:
      return DecideEdit(tag);
    case TCommandKind::SwapSwords:
      return SwapSwords(tag);
    // The board and the opponent view.
    case TCommandKind::CloseView:
      return CloseView(tag);
    case TCommandKind::ViewEntrant:
      return ViewEntrant(tag);
    case TCommandKind::StartRound:
      return StartRound(tag);
    case TCommandKind::ChangeBuild:
      return ChangeBuild(tag);
    // The story.
    case TCommandKind::CloseStory:
      return CloseStory(tag);
    case TCommandKind::NextPage:
      return NextParagraph(tag);
    // The battle.
    case TCommandKind::BattleStep:
      return BattleStepClick(tag);
    case TCommandKind::BattleSkip:
      return BattleSkipClick(tag);
  }
  InternalError("UnitForm", "unknown command");
}
