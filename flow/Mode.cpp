#include "flow/Mode.h"

#include "battle/Battle.h"
#include "data/Tournament.h"
#include "flow/Making.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "paint/BoardScreen.h"
#include "paint/StoryScreens.h"
#include "rules/InternalError.h"

namespace {

TGameMode currentMode = gmTitle;
TModeListener modeListener = nullptr;

}  // namespace

const TGameMode& GameMode = currentMode;

void SetModeListener(TModeListener listener) {
  modeListener = listener;
}

void SetMode(TGameMode m) {
  if (m > gmBattle) InternalError("UnitMode", "unknown mode");
  currentMode = m;
  if (modeListener != nullptr) modeListener(m, false);
  switch (m) {
    case gmTitle:
      // The title picture; no regions: the main window takes its click.
      PaintTitle();
      break;
    case gmMaking:
      // The hero setup screen and its 63 regions.
      PaintMaking();
      break;
    case gmStory:
      // The piece of the stage, its screen and first page.
      EnterStory();
      break;
    case gmBoard:
      // The tournament board: portraits to view, the start, the build change.
      PaintBoard();
      break;
    case gmView:
      // The entrant chosen on the board; every click returns to the board.
      if (Tournament.Viewed == nullptr) InternalError("UnitMode", "no entrant to view");
      PaintOpponent(*Tournament.Viewed);
      break;
    case gmBattle:
      // The battle screen is painted, with its regions, by each match start.
      EnterBattleMode();
      break;
  }
  if (modeListener != nullptr) modeListener(m, true);
}
