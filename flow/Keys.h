// Design unit: UnitForm (the platform's keys).
// The platform's keys as the game hears them: each key as a key press
// (what it asks for, and whether it moves hero making's focus), the way an
// arrow or Tab moves that focus, and what the keys need to know of the
// screen shown, read off the window's screens. What a key press comes to is
// the game's to say (game/Keys).
#pragma once

#include "game/Game.h"
#include "game/Keys.h"
#include "paint/Focus.h"
#include "paint/ScreenKit.h"
#include "present/Form.h"

// What the key asks for, whatever the screen (None: a key the game does not
// answer, F11 among them, which the platform window takes).
TKeyAction KeyActionOf(TKey key);
// The key as the game hears it: its action, and whether it moves hero
// making's focus (Right does, besides being a main key).
TKeyPress KeyPressOf(TKey key);

// The way an arrow or Tab moves hero making's focus (Next for any other key).
TFocusMove FocusMoveOf(TKey key);

// What the keys need to know of the screen `s` shows of game `g`: the help
// page, the battle log's glide and hero making's focus.
TKeyScreen KeyScreenOf(const TScreens& s, const TGame& g);
