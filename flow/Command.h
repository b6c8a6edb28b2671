// Design unit: UnitForm (the commands of the screens).
// A click on a screen region comes back from the sensor registry as the
// region's command: a value naming what the player asked for and the
// region's tag. The main window carries it out here, once the registry has
// finished with the click; a change of screen the command asks for is made
// once the command has returned.
#pragma once

#include "game/Game.h"
#include "paint/Sensor.h"

// Carries out the command on the game; Kind None does nothing.
void RunCommand(TGame& g, const TCommand& command);

// The skip key: the match shown, one the hero is not in, and the round's next
// matches the hero is not in, each played out as SKIP and then the clicks
// through its verdict play it (each click a step of its own, with its lines
// and cues), until the hero's match has begun or a story or the board is
// shown. A match the hero is in is left alone.
void RunRivalMatches(TGame& g);
