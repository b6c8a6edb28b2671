// Design unit: UnitData (the game flow of the tournament).
// The tournament as the player lives it: the steps that move between screens.
// The tournament's own rules (the draw, a match's bookkeeping, closing a
// round) are data/Tournament's; this unit wires them to the mode switch, the
// growth driver, the screens and the sounds, and plugs the game into the
// battle engine as its host.
#pragma once

// Plugs the game into the engines below it: the battle engine reports its
// matches here, and the growth driver shows its progress on the board. The main window calls it
// once at creation; tests and the lab that play through the game's screens call it too.
void ConnectGameFlow();

// The end of a round, with Stage already advanced (2..6): the round closes,
// the rivals start growing (stages 2..5) and the board shows.
void EndRound();
