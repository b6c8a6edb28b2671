// Design unit: UnitMode.
// The one mode switch through which every change of screen passes: SetMode
// stores the new mode in the game and runs that mode's entry. A change asked
// for while a command or an entry runs (a hero win asks for the story in the
// middle of a battle's click; the battle's entry asks for the board when the
// stage is already over) waits until that has returned, so no handler ever
// runs inside another.
#pragma once

#include <string_view>

#include "game/Game.h"
#include "paint/Sensor.h"
#include "present/App.h"

// The screens the game is shown on; a game shown nowhere is an internal
// error.
TScreens& ScreensOf(const TGame& g);
// Asks for a cue (a program path such as "dat\\popon.wav") or the window's
// caption: the effect waits in the game until its step has returned.
void AskCue(TGame& g, std::string_view file);
void AskCaption(TGame& g, std::string_view text);
// Has the game's shell carry out the effects asked for so far, in order, and
// forgets them. Asked effects without a shell are an internal error.
void ApplyEffects(TGame& g);

// A screen just painted: its regions, as its painter returned them, replace
// the last screen's in the registry of the screens the game is shown on.
void ShowScreen(const TGame& g, const THitTable& regions);

// Switches the game to mode m and runs its entry action, at once or, while a
// command or an entry runs, once it has returned. The game's mode listener
// hears each change before and after its entry.
void SetMode(TGame& g, TGameMode m);

// Enters the modes asked for, one after the other (an entry may ask for the
// next), until none is left.
void EnterAskedModes(TGame& g);

// Holds mode changes back for as long as it lives: a command or an entry is
// running.
class TModeHold {
 public:
  explicit TModeHold(TGame& g) : g_(g) { ++g_.Running; }
  ~TModeHold() { --g_.Running; }
  TModeHold(const TModeHold&) = delete;
  TModeHold& operator=(const TModeHold&) = delete;

 private:
  TGame& g_;
};

// Shows the message boxes the game asked for on `messages`, and asks the
// program to end when the game asked for it; both are forgotten afterwards.
// The main window does this after every step, with the sink it was given.
void DoAskedMessages(TGame& g, TMessageSink& messages);

// Runs a step of the game (a command, a key's action, the title's start)
// with its mode changes held back; once it has returned, its effects are
// carried out, then the modes it asked for are entered (each entry is a step
// of its own: its effects are carried out when it returns, before the mode
// listener hears that it has been entered). So cues and captions come in the
// order asked, and each before anything a later step asks. The message boxes
// and the end of the program it asked for wait for DoAskedMessages, after
// all of that.
template <class F>
void RunGameStep(TGame& g, F&& step) {
  {
    const TModeHold hold(g);
    step();
  }
  ApplyEffects(g);
  EnterAskedModes(g);
}
