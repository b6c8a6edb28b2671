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
