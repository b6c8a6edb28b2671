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
#include <type_traits>

#include "game/Command.h"
#include "game/Game.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "rules/ImageCheck.h"

// The work of each step, without its effects carried out or its asked modes
// entered (the templates below make each a step).
// The command's work; Kind None does nothing. `shell` hears the match a
// battle's click decides.
void CarryOut(TGame& g, TGameShell& shell, const TCommand& command);
// Mode m's entry, with mode changes held back; `shell` hears the match the
// battle's entry decides.
void RunEntry(TGame& g, TGameShell& shell, TGameMode m);
// The next slice of the rivals' growth, and its progress on the board's footer
// while the board is the screen.
void GrowthSlice(TGame& g);

// The steps are templates over the caller's shell: the main window makes them
// with itself (a final class), so carrying out an effect or telling of a mode
// change is a direct call; the tests and the lab may give any TGameShell.

// Enters mode m, the shell hearing it before and after. What was asked before
// the change is carried out before the shell hears of it, and what the entry
// asked before it hears that it is done.
template <class Shell>
void EnterHeard(TGame& g, Shell& shell, TGameMode m) {
  ApplyEffects(g, shell);
  g.Mode = m;
  shell.ModeChanged(g, m, false);
  RunEntry(g, shell, m);
  ApplyEffects(g, shell);
  shell.ModeChanged(g, m, true);
}

// Enters the modes asked for, one after the other (an entry may ask for the
// next), until none is left.
template <class Shell>
void EnterAskedModes(TGame& g, Shell& shell) {
  while (g.AskedMode) {
    const TGameMode m = *g.AskedMode;
    g.AskedMode.reset();
    EnterHeard(g, shell, m);
  }
}

// Runs `step` as a step of the game, with `shell` as its shell.
template <class Shell, class F>
void RunGameStep(TGame& g, Shell& shell, F&& step) {
  static_assert(std::is_base_of_v<TGameShell, Shell>, "a step's shell is a TGameShell");
  {
    const TModeHold hold(g);
    step();
  }
  ApplyEffects(g, shell);
  EnterAskedModes(g, shell);
}

// Switches the game to mode m as a step of its own (the title of a game
// just made).
template <class Shell>
void EnterMode(TGame& g, Shell& shell, TGameMode m) {
  RunGameStep(g, shell, [&] { SetMode(g, m); });
}

// Carries out the command on the game; Kind None does nothing.
template <class Shell>
void RunCommand(TGame& g, Shell& shell, const TCommand& command) {
  RunGameStep(g, shell, [&] { CarryOut(g, shell, command); });
}

// The title's click, in two steps: the transition's cue and the black
// screen, which must show while the roster loads, so that step ends (and is
// presented) first; then the roster at the program path `rosterPath` (empty:
// "dat\\swordia.txt"), its portraits judged by `pictures`, and hero making.
template <class Shell>
void StartFromTitle(TGame& g, Shell& shell, std::string_view rosterPath,
                    const TImageCheck& pictures) {
  RunGameStep(g, shell, [&] { BlankForRoster(g); });
  RunGameStep(g, shell, [&] { StartGame(g, rosterPath, pictures); });
}

// The growth timer's step: the next slice of the rivals' growth, and its
// progress on the board's footer while the board is the screen.
template <class Shell>
void GrowthStep(TGame& g, Shell& shell) {
  RunGameStep(g, shell, [&g] { GrowthSlice(g); });
}
