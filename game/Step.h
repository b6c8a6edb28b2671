// Design unit: UnitForm (the game's steps).
// Everything the game does, it does in steps: a command, the title's start,
// a slice of the growth, a change of mode. A step runs with its mode changes
// held back; once it has returned, the caller's shell carries out its
// effects, then the modes it asked for are entered, each entry a step of its
// own (its effects carried out when it returns, before the shell hears that
// it has been entered). So cues and captions come in the order asked, each
// before anything a later step asks, and the window shows each step's screen
// once the step is done.
#pragma once

#include <string_view>

#include "game/Command.h"
#include "game/Game.h"
#include "game/Mode.h"
#include "rules/ImageCheck.h"

// Enters the modes asked for, one after the other (an entry may ask for the
// next), until none is left.
void EnterAskedModes(TGame& g, TGameShell& shell);

// Runs `step` as a step of the game, with `shell` as its shell.
template <class F>
void RunGameStep(TGame& g, TGameShell& shell, F&& step) {
  {
    const TModeHold hold(g, shell);
    step();
  }
  ApplyEffects(g, shell);
  EnterAskedModes(g, shell);
}

// Switches the game to mode m as a step of its own (the title of a game
// just made).
void EnterMode(TGame& g, TGameShell& shell, TGameMode m);

// Carries out the command on the game; Kind None does nothing.
void RunCommand(TGame& g, TGameShell& shell, const TCommand& command);

// The title's click, in two steps: the transition's cue and the black
// screen, which must show while the roster loads, so that step ends (and is
// presented) first; then the roster at the program path `rosterPath` (empty:
// "dat\\swordia.txt"), its portraits judged by `pictures`, and hero making.
void StartFromTitle(TGame& g, TGameShell& shell, std::string_view rosterPath,
                    const TImageCheck& pictures);

// The growth timer's step: the next slice of the rivals' growth, and its
// progress on the board's footer while the board is the screen.
void GrowthStep(TGame& g, TGameShell& shell);
