// Design unit: UnitData (the game flow of the tournament).
// The tournament as the player lives it: the steps that move between screens.
// The tournament's own rules (the draw, a match's bookkeeping, closing a
// round) are data/Tournament's; this unit wires them to the mode switch, the
// growth driver, the game's view and its cues, and is the game's side of its
// shown battle (TGameBattleHost, game/Game.h).
//
// Every change of screen made by a click plays the transition cue before the
// switch. The switch to the story after a hero win plays none of its own (the
// battle's click has just played its cue), and the end of a stage is cued by
// the battle engine when it hands the stage over.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/Game.h"
#include "rules/ImageCheck.h"

// The board's entry: the board shown, the growth's progress over it while the
// rivals grow, presented.
void ShowBoard(TGame& g);

// Reads the roster at the program path, with its portraits in the folder
// judged by `pictures`, and, on success, draws the tournament's entrants from
// it. On a fault: the fatal-error routine, and nothing else changes.
void LoadRoster(TGame& g, std::string_view rosterPath, std::string_view imageFolder,
                const TImageCheck& pictures);
// The fatal-error routine: asks for the text in a message box captioned with
// the program's title and for the end of the window's loop (both effects,
// carried out when the step is over) and sets the game's LoadFailed.
void RosterFatal(TGame& g, std::string_view text);

// The title's click comes in two steps (game/Step's StartFromTitle). First
// the transition's cue and the black screen, which must show while the roster
// loads, so this step ends (and its effects are carried out) before the
// loading starts.
void BlankForRoster(TGame& g);
// Then the roster (the program path `rosterPath`, or when empty
// "dat\\swordia.txt") is read and drawn (a broken roster has been shown and
// the window's loop is ending: nothing more happens), the portraits are loaded, the
// hero starts with an empty build and 10 points, and hero making opens at
// stage 0. The portraits are judged by `pictures`.
void StartGame(TGame& g, std::string_view rosterPath, const TImageCheck& pictures);

// The board's start region: the stage's matches begin (or go on after a hero
// win). Only while the hero has no unspent point, the tournament is not over
// and no growth runs; otherwise nothing happens.
void StartRound(TGame& g, std::int32_t tag);

// What a battle's click (or its entry) handed back, acted on in its order:
// the decided match is heard by `shell`, the step's; the cue and the
// fighters' redraw are asked for; a hero win opens the stage's story (without
// a cue of its own), the end of the stage closes the round.
void ActOnBattle(TGame& g, TGameShell& shell, const TClickOutcome& o);

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
