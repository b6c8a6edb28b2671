// Design unit: UnitStepping.
// Stepping a shown battle: each click on the battle screen runs phases until
// the log has grown by at least one line, and hands back the one sound cue
// chosen on the way and that the fighters are to be repainted. SKIP turns the
// log off and runs the battle to its end check, which turns the log on again
// for the closing lines.
#pragma once

#include "battle/Battle.h"

// The click handler of the whole battle screen: advance to the next log line.
TClickOutcome BattleStepClick(TBattle& b);
// The click handler of the SKIP button: run silently to the end of the battle
// (a plain step once the end check has passed).
TClickOutcome BattleSkipClick(TBattle& b);
