#include "flow/Mode.h"

#include "battle/Battle.h"
#include "rules/Sword.h"

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
    case gmTitle:   // the title picture
    case gmMaking:  // the hero setup screen and its regions
    case gmStory:   // the story piece of the stage
    case gmBoard:   // the tournament board and its regions
    case gmView:    // the opponent view and its regions
      // These screens are painted, and their regions registered, by the
      // screen units as they are added.
      break;
    case gmBattle:
      // The battle screen is painted, with its regions, by each match start.
      EnterBattleMode();
      break;
  }
  if (modeListener != nullptr) modeListener(m, true);
}
