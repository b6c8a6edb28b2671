// Design unit: UnitData (the game flow of the tournament).
// The tournament as the player lives it: the steps that move between screens.
// The tournament's own rules (the draw, a match's bookkeeping, closing a
// round) are data/Tournament's; this unit wires them to the mode switch, the
// growth driver, the screens and the sounds, and plugs the game into the
// battle engine as its host.
//
// Every change of screen made by a click plays the transition cue before the
// switch. The switch to the story after a hero win plays none of its own (the
// battle's click has just played its cue), and the end of a stage is cued by
// the battle engine when it hands the stage over.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/Game.h"

// Gives the game's battle the flow's host: it reports its matches here, and
// the flow paints them, plays their cues and switches screens. The main window
// calls it for every game it makes; tests and the lab that play through the
// game's screens call it too.
void ConnectGameFlow(TGame& g);

// The board's entry: the board painted, its regions installed, the growth's
// progress over it while the rivals grow, presented.
void ShowBoard(TGame& g);

// The 10 ms timer, one game step: the next step of the rivals' growth, and its
// progress on the board footer while the board is the screen.
void GrowthTimer(TGame& g);

// Reads the roster at the program path, with its portraits in the folder, and,
// on success, draws the tournament's entrants from it. On a fault: the
// fatal-error routine, and nothing else changes.
void LoadRoster(TGame& g, std::string_view rosterPath, std::string_view imageFolder);
// The fatal-error routine: asks for the text in a message box captioned with
// the program's title and for the end of the program (both done when the
// step is over, by the main window's DoAskedMessages) and sets the game's
// LoadFailed.
void RosterFatal(TGame& g, std::string_view text);

// The title's click comes in two steps. First the transition's cue and the
// black window, which must show while the roster loads, so this step ends
// (and its effects are carried out) before the loading starts.
void BlankForRoster(TGame& g);
// Then the roster (the program path `rosterPath`, or when empty
// "dat\\swordia.txt") is read and drawn (a broken roster has been shown and
// the program is ending: nothing more happens), the portraits are loaded, the
// hero starts with an empty build and 10 points, and hero making opens at
// stage 0.
void StartGame(TGame& g, std::string_view rosterPath);

// The board's start region: the stage's matches begin (or go on after a hero
// win). Only while the hero has no unspent point, the tournament is not over
// and no growth runs; otherwise nothing happens.
void StartRound(TGame& g, std::int32_t tag);

// The end of a round, with Stage already advanced (2..6): the round closes,
// the rivals start growing (stages 2..5) and the board shows. At stage 6 the
// tournament is over: the board names the champion and stays.
void EndRound(TGame& g);

// A story piece has been closed: after the prologue the board of round 1,
// after a hero win the round goes on with the next match.
void StoryEnded(TGame& g);

// The board's portrait of slot k: the opponent view of that entrant.
void ViewEntrant(TGame& g, std::int32_t k);
// A click on the opponent view: back to the board. It acts only in the
// opponent view (hero making has the same flavour strip, where its
// click must do nothing).
void CloseView(TGame& g, std::int32_t tag);
// The board's build-change region: hero making again, at stages 2 to 5 while
// the hero is still in; otherwise nothing happens.
void ChangeBuild(TGame& g, std::int32_t tag);
