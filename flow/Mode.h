// Design unit: UnitMode.
// The one mode switch through which every change of screen passes: SetMode
// stores the new mode in the game and runs that mode's entry.
#pragma once

#include "game/Game.h"

// Switches the game to mode m and runs its entry action; the game's mode
// listener hears it before and after.
void SetMode(TGame& g, TGameMode m);
