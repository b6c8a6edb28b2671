// The game as a player meets it, without a window: a temporary working
// folder whose dat folder links every shipped file (a test may put its own
// roster, story or picture in place of one), a game of the test's own made on
// a view that keeps what it is asked to show, the fixture itself the shell of
// its steps (keeping the cues, message boxes, caption and the end of the loop
// they ask for), and helpers that start the game and play matches.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/Command.h"
#include "game/Game.h"
#include "rules/SjisText.h"

// A temporary working folder whose dat folder links every shipped file; the
// working folder while the test runs.
class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Puts `bytes` in place of dat/<name> (never writing through a link into
  // the source tree).
  void PutDataFile(const std::string& name, std::string_view bytes);
  void RemoveDataFile(const std::string& name);

  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

// Every cue a game's steps asked for, in order.
struct TCueList {
  std::vector<std::string> Played;  // program paths, cp932
  int CountOf(std::string_view programPath) const;
};

// Every message box a game's steps asked for.
struct TMessageList {
  std::vector<std::string> Captions;
  std::vector<std::string> Texts;
};

// What the game's steps ask the view to show of the story: the text box's
// page and the picture area, as they stand.
class TStoryRecord : public TGameView {
 public:
  TStringDynArray Page;  // the last page, cp932
  std::string Picture;   // the last picture's program path; empty: none
  void ShowStory() override;
  void ClearStoryPicture() override { Picture.clear(); }
  void ShowStoryPicture(std::string_view programPath) override { Picture = programPath; }
  void ShowStoryText(const TStringDynArray& lines) override { Page = lines; }
};

// A game of the test's own in a data folder, the fixture the shell of every
// step it takes.
class GameInFolder : public DataFolder, public TGameShell {
 public:
  // The shell: keeps the effects, passes on what it hears to the listener.
  void Apply(const TEffect& effect) override;
  void ModeChanged(const TGame& game, TGameMode m, bool entered) override;
  void MatchDecided(const TGame& game, const TSwordia& winner, const TSwordia& loser,
                    int result) override;

 protected:
  void TearDown() override;

  // Makes the game (its story set up, the title entered) and seeds its dice.
  void OpenGame(std::uint32_t seed = 7);
  // The title's click: the roster, the draw and hero making.
  void StartGame();
  // The command of a screen's region, as a click on it asks.
  void Click(TCommandKind kind, std::int32_t tag = 0);
  TGame& Game() { return *game_; }
  const TGame& Game() const { return *game_; }
  TGameShell& Shell() { return *this; }
  // The caption asked for last (the program's title at first), UTF-8.
  std::string CaptionU8() const;
  // How many lines of the story's page hold something.
  int LinesShown() const;
  // Plays the current battle with SKIP and steps until the mode is no longer
  // the battle; false when that takes more than `maxClicks`.
  bool PlayUntilBattleLeft(int maxClicks = 5000);
  // Moves the hero to slot `k`, as MoveHeroToSlot(TGame&, int) does.
  void MoveHeroToSlot(int k);

  TStoryRecord view_;
  TCueList cues_;
  TMessageList messages_;
  std::string caption_;  // cp932
  bool quit_ = false;    // the end of the loop was asked for
  TGameListener* listener_ = nullptr;
  std::unique_ptr<TGame> game_;
};

// Plays the current battle of `g` with SKIP until the mode is no longer the
// battle; false when that takes more than `maxClicks`.
bool PlayUntilBattleLeft(TGame& g, TGameShell& shell, int maxClicks = 5000);
// Moves the hero to slot `k` (its record and the one there trade places,
// each slot keeping its portrait surface).
void MoveHeroToSlot(TGame& g, int k);
// The board of a later stage entered, the hero in slot 0 with `hero` and
// `bonus` points, its first-round opponent and the other entrants still in,
// each grown to a weak build.
void BoardAtStage(TGame& g, TGameShell& shell, int stage, const TSpec& hero, int bonus);
// A roster of `count` entries named "剣士01", "剣士02", ... (cp932).
std::string RosterOf(int count);
// "剣士" + two digits, cp932.
std::string EntrantName(int number);
