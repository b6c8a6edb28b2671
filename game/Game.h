// Design unit: UnitGame.
// The game as one value: everything one tournament is made of, from the title
// to the champion's board. The tournament with its grown builds, the battle
// the player watches and its log, the growth driver, the dice, the story
// script, the screen mode and whether the roster failed to load are its
// members, under the names the rules give them. Nothing of a game lives anywhere else: a new game
// is a fresh value (the main window holds one and can replace it), and two
// games never share a thing.
//
// What the game needs of the flow that shows it is plugged into the value
// itself once, when the flow takes it up: the screens it is shown on, the
// shell that carries out its effects, the battle's host, the story's view and
// the listener of mode changes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "data/Tournament.h"
#include "growth/GrowthDriver.h"
#include "rules/Random.h"
#include "script/Story.h"

// The screens of the game; the title comes first.
enum TGameMode : std::uint8_t { gmTitle = 0, gmMaking, gmStory, gmBoard, gmView, gmBattle };

struct TGame;
struct TScreens;  // paint/ScreenKit.h: pictures and regions, the window's

// Something a step of the game wants done outside it: a cue played, the
// screen presented (the screen layer copied to the window), the window's
// caption set. Steps ask for effects (Effects, below); the shell carries them
// out once the step has returned, in the order asked. A present shows the
// screen layer as it is then, so a step asks for it after its last drawing.
struct TEffect {
  enum TKind : std::uint8_t { Cue, Present, Caption };
  TKind Kind = Cue;
  // The cue's program path ("dat\\ガソ.wav") or the caption, cp932; empty
  // for a present.
  std::string Text;
  bool operator==(const TEffect&) const = default;
};

// Carries out a game's effects: the main window, which plays the cues on
// its sounds (muted or not), presents its screens and sets its own caption.
class TEffectShell {
 public:
  virtual ~TEffectShell() = default;
  virtual void Apply(const TEffect& effect) = 0;
};

// Hears every mode change twice: as the mode is stored (`entered` false) and
// once its entry action has run (`entered` true), each change's two calls
// together and the changes in order. An entry may ask for the next mode (the
// battle's entry can end the stage and ask for the board): then AskedMode is
// set when the first change's second call comes. The lab's play driver
// reports and photographs screens with it.
using TModeListener = void (*)(const TGame& game, TGameMode m, bool entered);

struct TGame {
  TTournament Tournament;  // with the grown builds, GrownSpecs
  TBattle Battle;          // the shown battle: its fighters, phases and cues
  TLogStore LogStore;      // the shown battle's lines
  TGrowthDriver Growth;    // the rivals' growth between two rounds
  // The game's dice: the draw, the coin toss of a tied judgement and the
  // growth search throw them, and nothing else does. Whoever makes the game
  // seeds them once, before the draw (the main window from the clock, the
  // lab's play driver with its seed), so one seed plays one game whatever
  // runs beside it.
  TRandom Dice;
  // The story script, once the flow has set it up (without it every piece
  // is an empty page that "close" ends).
  std::unique_ptr<TStory> Story;
  TGameMode Mode = gmTitle;  // written by the mode switch only
  // A mode asked for while a command or a mode's entry runs: the mode switch
  // enters it once that has returned, so no handler runs inside another.
  std::optional<TGameMode> AskedMode;
  std::int32_t Running = 0;  // commands and mode entries under way
  // What a step asks of the platform once it has returned: message boxes
  // (caption and text) to show, in order, then the end of the program.
  std::vector<std::pair<std::string, std::string>> AskedMessages;
  bool QuitAsked = false;
  // The effects asked for by the step under way (a command, a mode's
  // entry, a timer tick), in order; the shell carries them out when it
  // returns.
  std::vector<TEffect> Effects;
  // Set once a roster fault has been shown; the game start then does nothing
  // more.
  bool LoadFailed = false;

  // The screens the flow shows this game on (the main window's; none until
  // the flow takes the game up). The game only points at them: the pictures
  // are not part of it, and a new game is shown on the same screens.
  TScreens* Screens = nullptr;
  // The shell that carries out this game's effects (the main window; none
  // until the flow takes the game up).
  TEffectShell* Shell = nullptr;
  // The flow's plug-ins: the battle's host (Battle.Host points to it), the
  // story's view (Story->View) and the listener of mode changes (or none).
  std::unique_ptr<TBattleHost> BattleHost;
  std::unique_ptr<TStoryView> StoryView;
  TModeListener ModeListener = nullptr;

  // A game before the title: the battle writes this game's log, plays this
  // game's tournament and tosses this game's dice, with a host that shows
  // nothing until the flow's.
  TGame();
  // The battle points into the game: a game stays where it was made.
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  // Plugs in the battle's host (nullptr: one that shows nothing).
  void UseBattleHost(std::unique_ptr<TBattleHost> host);
};
