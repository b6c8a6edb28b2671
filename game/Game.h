// Design unit: UnitGame.
// The game as one value: everything one tournament is made of, from the title
// to the champion's board. The tournament with its grown builds, the battle
// the player watches and its log, the growth driver, the dice, the story
// script, the screen mode and whether the roster failed to load are its
// members, under the names the rules give them. Nothing of a game lives
// anywhere else: a new game is a fresh value (the main window holds one and
// can replace it), and two games never share a thing.
//
// The game is shown through the view it is made with (game/View.h), which
// outlives it. It takes steps (game/Step.h): each is given the shell of its
// caller, which carries out the effects the step asks for and hears its mode
// changes and decided matches.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "data/Tournament.h"
#include "game/View.h"
#include "growth/GrowthDriver.h"
#include "rules/Random.h"
#include "script/Story.h"

// The screens of the game; the title comes first.
enum TGameMode : std::uint8_t { gmTitle = 0, gmMaking, gmStory, gmBoard, gmView, gmBattle };

struct TGame;

// Something a step of the game wants done outside it: a cue played, the
// screen presented (the screen layer copied to the window), the window's
// caption set, a message box shown, the end of the window's loop, both
// fighter panels redrawn as the fighters now are (what a battle's click
// changes on its screen, carried out beside the click's cue). Steps ask for
// effects (TGame::Effects); the caller's shell carries them out once the step
// has returned, in the order asked. A present shows the screen as it is then,
// so a step asks for it after its last drawing.
struct TEffect {
  enum TKind : std::uint8_t { Cue, Present, Caption, Message, Quit, Fighters };
  TKind Kind = Cue;
  // The cue's program path ("dat\\ガソ.wav"), the caption or the message's
  // text, cp932; empty for the others.
  std::string Text;
  // A message box's caption, cp932.
  std::string Title;
  bool operator==(const TEffect&) const = default;
};

// Who hears how a game goes on: the lab's play driver reports and
// photographs screens with it.
class TGameListener {
 public:
  virtual ~TGameListener() = default;
  // Hears every mode change twice: as the mode is stored (`entered` false)
  // and once its entry has run (`entered` true), each change's two calls
  // together and the changes in order. An entry may ask for the next mode
  // (the battle's entry can end the stage and ask for the board): then
  // AskedMode is set when the first change's second call comes.
  virtual void ModeChanged(const TGame& game, TGameMode m, bool entered) {
    (void)game;
    (void)m;
    (void)entered;
  }
  // A match of the shown battle has been decided, its bookkeeping done
  // (result 20: the first fighter won, 0: the second).
  virtual void MatchDecided(const TGame& game, const TSwordia& winner, const TSwordia& loser,
                            int result) {
    (void)game;
    (void)winner;
    (void)loser;
    (void)result;
  }
};

// What a step's caller gives it: whatever carries out the effects it asks
// for (the main window plays the cues on its sounds, presents its screens,
// sets its caption, shows message boxes on its sink and ends its own loop),
// hearing too how the game goes on.
class TGameShell : public TGameListener {
 public:
  virtual void Apply(const TEffect& effect) = 0;
};

// The game's side of its shown battle while it runs (game/Round.cpp): the
// view paints each match it starts. What a click hands back the game's step
// acts on (ActOnBattle, game/Round.h).
class TGameBattleHost : public TBattleHost {
 public:
  explicit TGameBattleHost(TGame& game) : game_(game) {}
  void PaintMatch() override;

 private:
  TGame& game_;
};

// The story screen, and the caption and sounds, as the game's story script
// sees them (game/StoryRunner.cpp).
class TGameStoryView : public TStoryView {
 public:
  explicit TGameStoryView(TGame& game) : game_(game) {}
  void ClearPicture() override;
  void ShowPicture(std::string_view programPath) override;
  void SetCaption(std::string_view text) override;
  void ShowText(const TStringDynArray& lines) override;
  void PlaySound(std::string_view programPath) override;

 private:
  TGame& game_;
};

// A view that shows nothing: the game's when it is made without one.
TGameView& NullGameView();

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
  // The story script, once set up (game/StoryRunner's InitStory; without it
  // every piece is an empty page that "close" ends).
  std::unique_ptr<TStory> Story;
  TGameMode Mode = gmTitle;  // written by the mode switch only
  // A mode asked for while a command or a mode's entry runs: the mode switch
  // enters it once that has returned, so no handler runs inside another.
  std::optional<TGameMode> AskedMode;
  std::int32_t Running = 0;  // commands and mode entries under way
  // The effects asked for by the step under way (a command, a mode's
  // entry, a timer tick), in order; the step's shell carries them out when
  // it returns.
  std::vector<TEffect> Effects;
  // Set once a roster fault has been shown; the game start then does nothing
  // more.
  bool LoadFailed = false;

  // What the game is shown on, given when it is made; it outlives the game.
  TGameView& View;
  // The battle's host (Battle.Host points to it) and the story's view
  // (Story->View), the game's own.
  TGameBattleHost BattleHost{*this};
  TGameStoryView StoryView{*this};

  // A game before the title, shown on `view`: the battle writes this game's
  // log, plays this game's tournament and tosses this game's dice, with the
  // game's own host.
  explicit TGame(TGameView& view = NullGameView());
  // The battle points into the game: a game stays where it was made.
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;
};
