// Design unit: UnitMode.
// The one mode switch through which every change of screen passes: SetMode
// asks for the new mode, and the step under way enters it once it has
// returned (game/Step's RunGameStep), so no handler ever runs inside another
// (a hero win asks for the story in the middle of a battle's click; the
// battle's entry asks for the board when the stage is already over).
// Here too are the effects a step asks for: they wait in the game until the
// step's shell carries them out.
#pragma once

#include <string_view>
#include <vector>

#include "game/Game.h"

// Asks for a cue (a program path such as "dat\\popon.wav"), a present of
// the screen, the window's caption, a message box (captioned `title`) or
// the end of the window's loop: the effect waits in the game until its step
// has returned.
void AskCue(TGame& g, std::string_view file);
void AskPresent(TGame& g);
void AskCaption(TGame& g, std::string_view text);
void AskMessage(TGame& g, std::string_view title, std::string_view text);
void AskQuit(TGame& g);
// Asks for both fighter panels redrawn as the fighters now are.
void AskFighters(TGame& g);
// Takes the effects asked for so far out of the game, in order.
std::vector<TEffect> TakeEffects(TGame& g);
// Has `shell` carry out the effects asked for so far, in order, and forgets
// them (taken out first, so that none is carried out twice should one throw).
template <class Shell>
void ApplyEffects(TGame& g, Shell& shell) {
  if (g.Effects.empty()) return;
  for (const TEffect& e : TakeEffects(g)) shell.Apply(e);
}

// Asks for mode m: it is stored and its entry run once the step under way
// has returned.
void SetMode(TGame& g, TGameMode m);

// Holds mode changes back for as long as it lives (a command or an entry is
// running).
class TModeHold {
 public:
  explicit TModeHold(TGame& g) : g_(g) { ++g_.Running; }
  ~TModeHold() { --g_.Running; }
  TModeHold(const TModeHold&) = delete;
  TModeHold& operator=(const TModeHold&) = delete;

 private:
  TGame& g_;
};
