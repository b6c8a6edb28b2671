// Design unit: UnitPaint (battle screen).
// The battle screen: the two fighters side by side in the upper half, each on
// its dimmed portrait with its name and status lines, and below them a
// six-line log with a "SKIP" button in its top-right corner. A click anywhere
// advances the battle by one log line, a click on SKIP runs it silently to its
// end. New log lines glide up into the window: every new line owes one line
// pitch (18 pixels) of scrolling, and every 50 ms the scroll timer shows four
// fifths of the scrolling still owed and passes over the lines that have left
// the window. The scrolling is the screen's own: the log store keeps lines.
#pragma once

#include <cstdint>

#include "battle/BattleLog.h"
#include "game/Game.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/Bitmap.h"
#include "rules/Sword.h"

// One fighter's panel on BaseLayer: its portrait at the rectangle's top-left
// corner (black without one), dimmed; the name (bold, 16) at (+12, +12); the
// status lines (14) at (+12, +40 + 18 i).
void DrawFighterPanel(TScreens& s, const TRect& rect, const TFighter& fighter,
                      const TBromBitmap* portrait);
// Both panels of the current match, each on its entrant's portrait.
void DrawFighterPanels(TScreens& s, const TGame& g);

// The battle screen of the current match, for the caller to present; the engine's host
// calls it when a match starts, before the log is cleared. Its regions: SKIP
// first, then the whole screen.
THitTable PaintBattle(TScreens& s, const TGame& g);
// Both panels show the fighters as they are now (after each click step);
// nothing while the log is off. The caller, or the next scroll tick, presents.
void RefreshFighters(TScreens& s, const TGame& g);
// The 50 ms scroll timer: draws the log one step further while the battle is
// the current screen (`battleShown`) and scrolling is still owed. True when
// it drew: the caller presents.
[[nodiscard]] bool LogScrollTick(TScreens& s, const TGame& g, bool battleShown);

// The log still glides: lines logged that the window has not yet taken in,
// or scrolling owed.
bool LogScrolling(const TScreens& s, const TGame& g);

// The SKIP button's hover: highlighted, and restored on leave, only while the
// battle may still be skipped.
// Both keep TScreens::SkipHovered: whether the pointer rests on SKIP since
// the screen was painted.
void SkipHover(TScreens& s, const TGame& g, std::int32_t tag);
void SkipLeave(TScreens& s, const TGame& g, std::int32_t tag);
