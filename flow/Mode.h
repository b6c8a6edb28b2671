// Design unit: UnitMode.
// The screen modes and the one mode switch through which every change of
// screen passes: SetMode stores the new mode and runs that mode's entry.
#pragma once

#include <cstdint>

enum TGameMode : std::uint8_t { gmTitle = 0, gmMaking, gmStory, gmBoard, gmView, gmBattle };

// The current mode (read-only: SetMode is its only writer). Starts at gmTitle.
extern const TGameMode& GameMode;

// Switches to mode m and runs its entry action.
void SetMode(TGameMode m);
