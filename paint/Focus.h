// Design unit: UnitSensor (the focus).
// A focus for players without a pointer: keys move it over a screen's
// regions, and a key clicks the region it rests on.
//
// The focus is the pointer's hover. Moving it puts the pointer's last
// position in the middle of the region it moves to and runs the hover there,
// so the focused region looks exactly as it does under the pointer (its
// highlight, its help text) and nothing new is ever drawn; a real pointer
// move takes the focus wherever the pointer goes, and a click on the focus is
// a click at the pointer's last position, as the mouse would make it.
//
// Which regions take the focus is the screen's to say (hero making: those
// whose click can do something).
#pragma once

#include <cstdint>

#include "paint/Sensor.h"

enum class TFocusMove : std::uint8_t {
  Left,
  Right,
  Up,
  Down,
  Next,     // the next region in reading order (top to bottom, left to right)
  Previous  // the one before
};

// Whether a region of the screen shown may take the focus.
using TFocusable = bool (*)(const TGame& g, const TSensor& region);

// The region (an index into the registry) the focus moves to from region
// `from` (-1: none), or -1 when it stays. Next and Previous go round in
// reading order. An arrow goes to the nearest region that way, preferring
// one level with the focus (for Left and Right: sharing some of its rows;
// for Up and Down: of its columns), then the nearest along the way, then the
// nearest across it; nothing that way, and the focus stays. From none, every
// move goes to the first region in reading order.
int FocusTarget(const TSensorRegistry& r, const TGame& g, int from, TFocusMove move,
                TFocusable focusable);

// The region the focus rests on: the hovered one when it may take the focus,
// or -1.
int FocusedRegion(const TSensorRegistry& r, const TGame& g, TFocusable focusable);

// Moves the focus to region `index` (the pointer's hover at its middle).
// True when a handler drew: the caller presents.
[[nodiscard]] bool FocusOn(TScreens& s, const TGame& g, int index);

// Moves the focus as FocusTarget says; true when the caller presents.
[[nodiscard]] bool MoveFocus(TScreens& s, const TGame& g, TFocusMove move, TFocusable focusable);

// What a click on the focus asks for, while the focus rests on a region
// (None otherwise): the focused region's command, which a click at the
// pointer's last position would find, the focus being the hovered region.
TCommand FocusClick(const TSensorRegistry& r, const TGame& g, TFocusable focusable);

// The first region whose click asks for `kind` with `tag`, or -1.
int RegionOf(const TSensorRegistry& r, TCommandKind kind, std::int32_t tag);
