// Design unit: UnitPaint (the help page).
// The help page: one page that explains the game to a player who has not
// read about it, openable over any screen (F1, or a controller's left
// shoulder). It tells what the hero's four numbers and 途心 are, how the
// sword order runs, how the tournament goes, how the rivals grow between
// rounds, and every key and controller button.
//
// The page is composed on a layer of its own, over the screen the player
// left dimmed, in the game's look: the black title strip, white text on
// dimmed panels and the red box of the help texts. While it is open it is
// what the window shows in place of ScreenLayer; the screen under it is left
// as it is (and goes on with whatever it was doing: the rivals' growth, the
// log's glide), so closing the page shows ScreenLayer again as it stands,
// pixel for pixel, without a redraw.
#pragma once

#include "rules/SjisText.h"

struct TScreens;

// The page's lines: the body (the game's rules) and the box of the keys,
// each line at most as wide as the page holds.
const TStringDynArray& HelpPageBody();
const TStringDynArray& HelpPageKeys();

// Composes the page over the screen shown now and opens it; the caller
// presents. Opening it again recomposes it.
void OpenHelpPage(TScreens& s);
// Closes it; the caller presents, which shows ScreenLayer again.
void CloseHelpPage(TScreens& s);
bool HelpPageOpen(const TScreens& s);
