#include "battle/Stepping.h"

#include "battle/BattleLog.h"

TClickOutcome BattleStepClick(TBattle& b) {
  // 1. A fresh step: no line yet, no cue yet, nothing handed over.
  LogStepStart(*b.Log);
  b.PendingCue = nullptr;
  b.PlayedCue = nullptr;
  b.Outcome = {};
  // 2. Run phases until a line has been logged. A hand-over (the story after
  // a hero win, the board after the last match) leaves the battle screen and
  // ends the click at once: no cue of the phases, no repaint.
  do {
    if (!RunNextPhase(b)) break;  // nothing scheduled: the battle has handed over
    if (b.Outcome.HandOver != THandOver::None) return b.Outcome;
  } while (b.Log->StepLines.empty());
  // 3. The last cue chosen during the step.
  if (b.PendingCue != nullptr) {
    b.Outcome.Cue = b.PendingCue;
    b.PlayedCue = b.PendingCue;
  }
  // 4. Both panels show the fighters as they are now.
  b.Outcome.FightersChanged = true;
  return b.Outcome;
}

TClickOutcome BattleSkipClick(TBattle& b) {
  // With the log off no line ends the step, so it runs on to the end check.
  if (b.SkipAllowed) b.LogOff = true;
  return BattleStepClick(b);
}
