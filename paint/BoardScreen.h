// Design unit: UnitPaint (the board).
// The tournament board: the 32 entrants as small portraits in an H-shaped
// bracket, pairs joined by bars up to the centre where the final meets. A bar
// is red once an entrant below it has won through it, white otherwise;
// entrants that are out are dimmed and crossed out in grey. Above the bracket
// stands the stage (or, after the final, the champion); below it a strip that
// shows the entrant under the pointer, the "START" button, the "構成変動"
// (build change) button while the hero is still in, and, while the rivals
// grow, the work left with a shrinking bar in the footer.
//
// A click on a region is answered with its command, which the flow carries
// out (this unit cannot reach the mode switch). The hover handlers are this
// unit's.
#pragma once

#include <cstdint>

#include "game/Game.h"
#include "paint/Sensor.h"

// The board of the current stage on the screen layer, START dimmed while the
// hero has points to spend. Its regions: the 32 portrait cells (ViewEntrant,
// tag k), START (StartRound) and, at stages 2 to 5, the build-change button
// (ChangeBuild), there even when the hero is out and the button is not drawn.
// It does not present: while the rivals grow, their progress goes over it
// once its regions are in place (the progress may light START under a
// resting pointer), and then the board is presented (flow's ShowBoard).
THitTable PaintBoard(TScreens& s, const TGame& g);

// The growth's work left, n percent, in the board footer: the text and the
// inverted bar over the rightmost n percent, START dimmed; at 0 the footer is
// cleared and START looks usable again when the hero has no point to spend.
// The caller draws it only while the board is shown, and presents; true
// when the hover under a resting pointer was taken again, which asks for a
// present of its own first.
[[nodiscard]] bool ShowGrowthProgress(TScreens& s, const TGame& g, std::int32_t remaining);

// Hover handlers of the board's regions.
// Entrant k: its cell lit, its thumbnail, name, build and how far it came.
void EntrantHover(TScreens& s, const TGame& g, std::int32_t k);
void EntrantLeave(TScreens& s, const TGame& g, std::int32_t k);
// START lights up only when a round can start now.
void StartHover(TScreens& s, const TGame& g, std::int32_t tag);
void StartLeave(TScreens& s, const TGame& g, std::int32_t tag);
// The build-change button lights up only at stages 2 to 5 while the hero is in.
void RebuildHover(TScreens& s, const TGame& g, std::int32_t tag);
void RebuildLeave(TScreens& s, const TGame& g, std::int32_t tag);
