#include "flow/Mode.h"

#include "flow/Making.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "paint/BoardScreen.h"
#include "paint/StoryScreens.h"
#include "rules/InternalError.h"

void SetMode(TGame& g, TGameMode m) {
  if (m > gmBattle) InternalError("UnitMode", "unknown mode");
  g.Mode = m;
  if (g.ModeListener != nullptr) g.ModeListener(g, m, false);
  switch (m) {
    case gmTitle:
      // The title picture; no regions: the main window takes its click.
      PaintTitle();
      break;
    case gmMaking:
      // The hero setup screen and its 63 regions.
      PaintMaking(g);
      break;
    case gmStory:
      // The piece of the stage, its screen and first page.
      EnterStory(g);
      break;
    case gmBoard:
      // The tournament board: portraits to view, the start, the build change.
      PaintBoard(g);
      break;
    case gmView:
      // The entrant chosen on the board; every click returns to the board.
      if (g.Tournament.Viewed == nullptr) InternalError("UnitMode", "no entrant to view");
      PaintOpponent(g, *g.Tournament.Viewed);
      break;
    case gmBattle:
      // The battle screen is painted, with its regions, by each match start.
      EnterBattleMode(g.Battle);
      break;
  }
  if (g.ModeListener != nullptr) g.ModeListener(g, m, true);
}
