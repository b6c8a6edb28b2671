// Drives a shown tournament battle for the tests, without screens: a stage
// with the given entrants still in, the battle entered as the game's battle
// mode enters it, and clicks that report the lines they logged (as UTF-8) and
// the cue they played, in a game of the harness's own. The harness is the battle's host (it
// paints nothing) and hears what each click hands back: the cues, and where
// the game would go on (the story after a hero win, the board after
// the stage, the round closed as the game closes it).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "game/Game.h"

struct TClick {
  std::vector<std::string> Lines;  // UTF-8
  std::string Cue;                 // UTF-8 program path, or "-"
};

// A build from its UTF-8 notation; the test fails on a malformed one.
TSpec Build(const std::string& utf8);

// Where the game goes on from a shown battle.
enum class TShown { Battle, Story, Board };

class TBattleHarness : public TBattleHost {
 public:
  // A fresh game, shown on `view` (on none by default); the harness paints no
  // match itself unless `paintsMatches`, when the game's own host does.
  explicit TBattleHarness(TGameView& view = NullGameView(), bool paintsMatches = false);
  ~TBattleHarness() override;
  TBattleHarness(const TBattleHarness&) = delete;
  TBattleHarness& operator=(const TBattleHarness&) = delete;

 private:
  std::unique_ptr<TGame> game_;

 public:
  TGame& Game;
  TBattle& Battle;
  TTournament& Tournament;
  TLogStore& LogStore;

  // Sets up a stage with the entrants (UTF-8 names, builds) still in, in
  // bracket order, and no hero among them unless heroIndex >= 0. At stages
  // 2..5 each rival's grown build is its given build.
  void Setup(int stage, const std::vector<std::pair<std::string, std::string>>& entrants,
             int heroIndex = -1);
  // Enters battle mode; returns the lines of the match start.
  TClick Enter();
  TClick Step();
  TClick Skip();
  // The lines logged since the last click began (as after a click).
  TClick Collect();
  // Steps until the battle screen is left; all lines, in order.
  std::vector<std::string> RunToEnd();
  // Every cue the battle played, in order (UTF-8).
  std::vector<std::string> Played;
  // The battle screen, or where the game has gone on to.
  TShown Where = TShown::Battle;

  // What a click or the entry handed back, heard as the game hears it.
  void Hear(const TClickOutcome& o);
};

// What a test does to the game of a shown match.
using TGameTouch = std::function<void(TGame&)>;

// A whole shown stage-1 match of 甲 (first) against 乙 (second): every line
// from the match start to the hand-over. `tweak` runs right after the match
// start, before the first click, to set up states the builds cannot give.
std::vector<std::string> ShownBattle(const std::string& buildA, const std::string& buildB,
                                     const TGameTouch& tweak = {});
// The same match click by click (click 0 is the match start); `after` looks
// at the game once the match has handed over.
std::vector<TClick> ShownClicks(const std::string& buildA, const std::string& buildB,
                                const TGameTouch& tweak = {}, const TGameTouch& after = {});
// Two builds fought silently, in a battle of their own.
int SimulateBuilds(const TSpec& a, const TSpec& b);
// The cue of the first click that logged `line`, or "" when none did.
std::string CueOf(const std::vector<TClick>& clicks, const std::string& line);
// The marks of a fighter's sword list (UTF-8).
std::string MarksOf(const TFighter& f);
// True when `part` appears in `all` as consecutive lines.
bool HasRun(const std::vector<std::string>& all, const std::vector<std::string>& part);
// The lines between the header of `turn` and the empty line before the next
// header (or the end of the log).
std::vector<std::string> TurnLines(const std::vector<std::string>& all, int turn);
