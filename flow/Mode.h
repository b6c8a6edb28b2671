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

// Hears every mode change twice: as the mode is stored (`entered` false) and
// once its entry action has run (`entered` true). An entry action may switch
// again (the battle's entry can end the stage and show the board), so the
// first calls come in the order of the changes and the second may not. The
// lab's play driver reports and photographs screens with it. nullptr: none.
using TModeListener = void (*)(TGameMode m, bool entered);
void SetModeListener(TModeListener listener);
