#include "battle/Stepping.h"

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"

void BattleStepClick(TBattle& b) {
  // 1. A fresh step: no line yet, no cue yet.
  LogStepStart(*b.Log);
  b.PendingCue = nullptr;
  b.PlayedCue = nullptr;
  // 2. Run phases until a line has been logged. Leaving the battle screen (the
  // story after a hero win, the board after the last match) ends the click at
  // once: no sound, no repaint.
  do {
    if (!RunNextPhase(b)) break;  // nothing scheduled: the battle has handed over
    if (!b.Host->BattleShown()) return;
  } while (b.Log->StepLines.empty());
  // 3. The last cue chosen during the step.
  if (b.PendingCue != nullptr) {
    b.Host->PlayCue(b.PendingCue);
    b.PlayedCue = b.PendingCue;
  }
  // 4. Both panels show the fighters as they are now.
  b.Host->RefreshFighters();
}

void BattleSkipClick(TBattle& b) {
  // With the log off no line ends the step, so it runs on to the end check.
  if (b.SkipAllowed) b.LogOff = true;
  BattleStepClick(b);
}
