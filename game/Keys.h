// Design unit: UnitForm (the keys).
// The keys the game answers, each the same as a click on a region of the
// screen shown, or as the pointer resting on one: the key names the region's
// command, the window finds the region and asks for its command with its tag, so every
// guard of the command holds and nothing is drawn that a click or a hover
// could not draw. Where the screen has no such region, the key does nothing.
//
//   Space, Return, Right  the screen's main click: the title's start, the next
//                         story page, the battle's next log line, closing the
//                         opponent view, START on the board (構成変動 there
//                         while the hero still has points to spend); in hero
//                         making, the region the focus rests on (Right moves
//                         the focus there)
//   arrows, Tab           hero making's focus, over its buttons and order
//                         slots (Shift+Tab goes back); the focus is the
//                         pointer's hover, so it looks as the pointer does
//   Escape                the story's close button, closing the opponent
//                         view, SKIP while the battle can still be skipped
//   S                     on a match the hero is not in: that match and the
//                         round's next ones the hero is not in, each played
//                         out by SKIP and the clicks through its verdict, up
//                         to the hero's match, a story or the board
//   H                     on the board: the hero's portrait as under the
//                         pointer (its panel shows)
//   F1                    the help page, over any screen; while it is open,
//                         any key or click only closes it
//   M                     every sound off or on again
//   F2                    a new tournament, once this one is over or the hero
//                         is out
//
// A held key repeats only on the screen it went down on, so a held key never
// carries the player from one screen through the next; and in a battle a
// repeat steps only once the log has glided to rest, so holding a key runs the
// battle at the log's own pace at most.
//
// The window turns the platform's key into a key press (flow/Keys), tells
// what the keys need to know of its screens, and carries the outcome out.
#pragma once

#include <cstdint>

#include "game/Command.h"
#include "game/Game.h"

// What a key asks for, whatever the screen.
enum class TKeyAction : std::uint8_t {
  None,
  Main,
  Close,
  Mute,
  NewTournament,
  Focus,  // an arrow other than Right, Tab or Shift+Tab
  Help,
  SkipRivals,
  ShowHero
};

// A key as the game hears it: what it asks for, and whether it moves hero
// making's focus (the arrows, Right among them, Tab and Shift+Tab).
struct TKeyPress {
  TKeyAction Action = TKeyAction::None;
  bool MovesFocus = false;
};

// What the keys need to know of the screen shown; the window reads it off
// its screens.
struct TKeyScreen {
  bool HelpOpen = false;    // the help page is open over it
  bool LogGliding = false;  // the battle log has not yet glided to rest
  // Hero making: the command of the region the focus rests on (None while
  // it rests on none).
  TCommand Focused;
};

// The command kind of the region that `action` clicks on the screen of mode
// `m`; None where it clicks none (the title's start has no region: the main
// window takes it, as it takes the title's click; hero making's is the focused
// region's).
TCommandKind KeyCommandKind(TGameMode m, TKeyAction action);

// What the main window remembers of the last key that went down.
struct TKeyMemory {
  TGameMode Mode = gmTitle;  // the screen it went down on (a repeat acts only there)
  bool Closed = false;       // it closed the help page: its repeats do nothing
};

// What a key press comes to on the screen shown now.
struct TKeyOutcome {
  enum TWhat : std::uint8_t {
    Nothing,
    Command,  // the focused region's click
    Region,   // a click on the screen's first region whose command is Click.Kind
    StartGame,
    ToggleMute,
    NewTournament,
    MoveFocus,  // the way the key says
    OpenHelp,
    CloseHelp,
    SkipRivals,
    ShowHero
  };
  TWhat What = Nothing;
  // With Command: the region's command and its tag. With Region: the command
  // kind only; the window finds the region in its registry, with its tag,
  // and where the screen has none the key does nothing.
  TCommand Click;
};
// Reads the game's mode, battle, tournament and growth and what `screen`
// says; changes nothing but `memory`.
TKeyOutcome KeyOutcome(const TGame& g, const TKeyScreen& screen, TKeyMemory& memory, TKeyPress key,
                       bool repeat);

// The match shown is one the hero is not in (the skip key's condition).
bool RivalMatchShown(const TGame& g);
