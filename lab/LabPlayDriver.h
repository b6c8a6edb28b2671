// The play driver behind "quillmoor-lab play": one whole game in the real main
// window, headless, with the driver's clock, a sound recorder, and input from
// an event list or from the seeded autoplayer.
//
// Event lines (one per line; blank lines and lines starting with '#' are
// skipped):
//   click X Y   a left click at (X, Y)
//   right X Y   a right click
//   move X Y    the pointer moves to (X, Y)
//   leave       the pointer leaves the window
//   key NAME    a key goes down (space, return, right, left, up, down, tab,
//               shift-tab, escape, s, h, m, f1, f2, f11)
//   pad NAME    a button of a virtual game controller is pressed and let go
//               (a, b, x, y, start, back, lb, rb, up, down, left, right)
//   pad stick X Y  the controller's left stick is held at (X, Y)
//   wait MS     the clock advances MS milliseconds, running every due tick
//   shot NAME   the screen is written as NAME.png in the shots folder (if any)
//   auto MODE   the autoplayer plays until MODE (title ... battle) is entered
//               (a later stage's, when MODE is the screen it starts on), or
//               until the champion's board with "auto end"; then the events
//               go on
//
// Output (UTF-8, one record per line):
//   mode NAME stage S        at every mode change (title, making, story,
//                            board, view, battle)
//   slots T0 ... T31 hero K  at every board entry: each slot's wins followed
//                            by '+' while it is in, '-' once out; the hero's slot
//   match S.M A B -> W (C)   a decided match: stage, match number from 1, the
//                            two names, the winner, the result code (20: the
//                            first won, 0: the second)
//   cue FILE                 a sound played
//   caption TEXT             the window caption changed
//   violation TEXT           (--check) a rule of the tournament was broken
//   champion NAME            at the end, once the tournament has one
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/Game.h"

// What the autoplayer plays with: the mouse, the keyboard alone, a game
// controller alone, or any of them at random (random keys, buttons and
// clicks among its moves).
enum class TAutoInput : std::uint8_t { Clicks, Keys, Pad, Mixed };

struct TPlayOptions {
  std::uint32_t Seed = 1;
  std::string Roster;       // cp932 program path; empty: the game's roster
  bool Auto = false;        // play by the seeded policy after the events
  bool Check = false;       // check the tournament's rules along the way
  std::string ShotsFolder;  // where screens are written; empty: none
  std::string FontFile;     // a font file every text is drawn with; empty: the system's choice
  int Until = -1;           // a mode to stop at (TGameMode), EndOfGame, or -1: run out
  int Games = 1;            // games in one window, each after the last by F2
  // A second game played beside, in a window of its own, one pass of each
  // loop in turn, with this seed; its record goes nowhere.
  std::optional<std::uint32_t> Beside;
  TAutoInput By = TAutoInput::Clicks;  // what the autoplayer plays with
};

constexpr int EndOfGame = 100;

// "clicks", "keys", "pad" or "mixed".
bool ParseAutoInput(const std::string& word, TAutoInput& by);
// "title" ... "battle" or "end".
bool ParseUntil(const std::string& word, int& until);
// The name of a mode as the output writes it.
const char* ModeWord(TGameMode m);
// The help text of the command: the event lines and the output records.
const char* PlayHelpText();

// Plays the games; returns the exit code (0: ran to the end of the events or
// reached --until or the champion; 1: a check failed, the autoplayer got
// stuck, or the program ended on a fault).
int RunPlay(const TPlayOptions& options, const std::string& events);
