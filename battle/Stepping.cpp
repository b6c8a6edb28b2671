#include "battle/Stepping.h"

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"

void SetCue(const char* file) {
  if (Battle.LogOff) return;
  Battle.PendingCue = file;
}

void BattleStepClick(int /*tag*/) {
  // 1. A fresh step: no line yet, no cue yet.
  LogStepStart();
  Battle.PendingCue = nullptr;
  Battle.PlayedCue = nullptr;
  // 2. Run phases until a line has been logged. Leaving the battle screen (the
  // story after a hero win, the board after the last match) ends the click at
  // once: no sound, no repaint.
  do {
    if (!RunNextPhase()) break;  // nothing scheduled: the battle has handed over
    if (!BattleHost().BattleShown()) return;
  } while (LogStore.StepLines.empty());
  // 3. The last cue chosen during the step.
  if (Battle.PendingCue != nullptr) {
    BattleHost().PlayCue(Battle.PendingCue);
    Battle.PlayedCue = Battle.PendingCue;
  }
  // 4. Both panels show the fighters as they are now.
  BattleHost().RefreshFighters();
}

void BattleSkipClick(int tag) {
  // With the log off no line ends the step, so it runs on to the end check.
  if (Battle.SkipAllowed) Battle.LogOff = true;
  BattleStepClick(tag);
}
