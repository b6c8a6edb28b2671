// Design unit: UnitPaint (hero setup).
// The hero setup screen, where the player spends the hero's bonus points. The
// left half shows the hero's portrait under its status panel; the right half
// holds the caption, the four stat buttons, the 35 sword buttons, the sword
// order (20 small slots) and the reset and decide buttons; the lower strip
// shows the hero's flavour text, or the help text of the stat or sword button
// under the pointer.
//
// Everything shown is read from the hero's working copy (g.Tournament.HeroEdit)
// and hero making's three conditions: can spend, changed, can decide. A
// button whose condition is false is drawn dimmed and does not light up.
//
// A click on a region is answered with its command (RaiseStat, AddSword,
// ResetEdit, DecideEdit, SwapSwords; the flavour strip's CloseView acts only
// in the opponent view), which hero making (flow) carries out; after a change
// it redraws with RepaintHeroPanel and the button looks below.
#pragma once

#include "game/Game.h"
#include "paint/Sensor.h"

// Paints the screen for the caller to present. Its 63 regions: portrait, flavour
// strip, 4 stat buttons, 35 sword buttons, reset, decide, 20 order slots.
THitTable PaintMaking(TScreens& s, const TGame& g);

// Whether a region of the screen may take the keys' focus (paint/Focus):
// the stat and sword buttons, reset and decide, and the order slots that a
// click swaps from (a sword in the slot, two swords at least). The portrait
// and the flavour strip, whose clicks do nothing here, do not; nor do the
// empty slots, whose hover shows nothing, so a focus there could not be seen.
bool MakingFocusable(const TGame& g, const TSensor& region);

// Redraws the portrait, the status panel and the sword order from the working
// copy, on BaseLayer and then on ScreenLayer.
void RepaintHeroPanel(TScreens& s, const TGame& g);

// Button looks on ScreenLayer. Each acts only when its condition holds and
// does nothing otherwise, so a caller may call both halves of a pair.
// While points can be spent: the 39 stat and sword buttons bright.
void ShowStatButtonsOn(TScreens& s, const TGame& g);
// While no point can be spent: the 39 stat and sword buttons dimmed.
void ShowStatButtonsOff(TScreens& s, const TGame& g);
// While the working copy differs from the hero: "リセット" bright.
void ShowResetOn(TScreens& s, const TGame& g);
// While it does not: "リセット" dimmed.
void ShowResetOff(TScreens& s, const TGame& g);
// While the edit may be decided: "決定" bright.
void ShowDecideOn(TScreens& s, const TGame& g);
// While it may not: "決定" dimmed.
void ShowDecideOff(TScreens& s, const TGame& g);
