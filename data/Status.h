// Design unit: UnitStatus.
// The fixed text forms of a swordsman's numbers: the one-line build text, the
// two-line build text of the status panels, the fighter status of the battle
// screen, and the help texts of the four numbers shown in hero making. They
// return plain strings and change nothing.
#pragma once

#include <string>

#include "rules/Sword.h"

// "HP/Attack/Defence/Speed/Swords", e.g. "20/3/2/1/斬闇".
std::string BuildText(const TSpec& spec);
// Two lines: "HP/Attack/Defence/Speed/" and swords 1..10, then as many spaces
// as that prefix has bytes and swords 11..20.
TStringDynArray BuildLines(const TSpec& spec);
// The number of swords of a swordsman's build.
int CountSwords(const TSwordia& swordia);
// The lines of a fighter's battle status panel.
TStringDynArray FighterStatus(const TFighter& fighter);
// The help text of number 0..3 (HP, attack, defence, speed), line by line.
TStringDynArray HelpLines(int index);
