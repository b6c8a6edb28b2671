// Design unit: UnitGame.
// The game as one value: everything one tournament is made of, from the title
// to the champion's board. The tournament with its grown builds, the battle
// the player watches and its log, the growth driver, the story script, the
// screen mode and whether the roster failed to load are its members, under the
// names the rules give them. Nothing of a game lives anywhere else: a new game
// is a fresh value (the main window holds one and can replace it), and two
// games never share a thing.
//
// What the game needs of the flow that shows it is plugged into the value
// itself once, when the flow takes it up: the screens it is shown on, the
// sounds its cues play on, the battle's host, the story's view and the
// listener of mode changes.
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
#include "script/Story.h"

// The screens of the game; the title comes first.
enum TGameMode : std::uint8_t { gmTitle = 0, gmMaking, gmStory, gmBoard, gmView, gmBattle };

struct TGame;
struct TScreens;  // paint/ScreenKit.h: pictures and regions, the window's
class TBromWave;  // present/Wave.h: the window's sounds

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
  // Set once a roster fault has been shown; the game start then does nothing
  // more.
  bool LoadFailed = false;

  // The screens the flow shows this game on (the main window's; none until
  // the flow takes the game up). The game only points at them: the pictures
  // are not part of it, and a new game is shown on the same screens.
  TScreens* Screens = nullptr;
  // The sounds the flow plays this game's cues on (the main window's, made
  // from the player it was given; none until the flow takes the game up).
  TBromWave* Sound = nullptr;
  // The flow's plug-ins: the battle's host (Battle.Host points to it), the
  // story's view (Story->View) and the listener of mode changes (or none).
  std::unique_ptr<TBattleHost> BattleHost;
  std::unique_ptr<TStoryView> StoryView;
  TModeListener ModeListener = nullptr;

  // A game before the title: the battle writes this game's log and plays this
  // game's tournament, with a host that shows nothing until the flow's.
  TGame();
  // The battle points into the game: a game stays where it was made.
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  // Plugs in the battle's host (nullptr: one that shows nothing).
  void UseBattleHost(std::unique_ptr<TBattleHost> host);
};
