// Design unit: UnitForm (the keys).
// The keys the game answers, each the same as a click on a region of the
// screen shown: the key finds the region in the sensor registry and asks for
// its command with its tag, so every guard of the command holds and nothing
// is drawn that a click could not draw. Where the screen has no such region,
// the key does nothing.
//
//   Space, Return, Right  the screen's main click: the title's start, the next
//                         story page, the battle's next log line, closing the
//                         opponent view, START on the board
//   Escape                the story's close button, closing the opponent
//                         view, SKIP while the battle can still be skipped
//   M                     every sound off or on again
//   F2                    a new tournament, once this one is over or the hero
//                         is out
// Hero making is the mouse's alone: its regions have no one main click.
//
// A held key repeats only on the screen it went down on, so a held key never
// carries the player from one screen through the next; and in a battle a
// repeat steps only once the log has glided to rest, so holding a key runs the
// battle at the log's own pace at most.
#pragma once

#include <cstdint>

#include "game/Command.h"
#include "game/Game.h"
#include "paint/ScreenKit.h"
#include "present/Form.h"

// What a key asks for, whatever the screen.
enum class TKeyAction : std::uint8_t { None, Main, Close, Mute, NewTournament };
TKeyAction KeyActionOf(TKey key);

// The command kind of the region that `action` clicks on the screen of mode
// `m`; None where it clicks none (the title's start has no region: the main
// window takes it, as it takes the title's click).
TCommandKind KeyCommandKind(TGameMode m, TKeyAction action);

// What a key press comes to on the screen shown now.
struct TKeyOutcome {
  enum TWhat : std::uint8_t { Nothing, Command, StartGame, ToggleMute, NewTournament };
  TWhat What = Nothing;
  TCommand Click;  // with Command: the region's command and its tag
};
// Reads the game's mode, battle, log and tournament and the screens' registry
// and log window; changes nothing but `keyDownMode`, the caller's memory of
// the screen the last key went down on (a repeat acts only there).
TKeyOutcome KeyOutcome(const TGame& g, const TScreens& s, TGameMode& keyDownMode, TKey key,
                       bool repeat);
