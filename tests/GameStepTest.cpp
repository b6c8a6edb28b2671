// Whole games played through the game's steps alone, on the logic library: no
// window and no screens. The view writes down what it is asked to show; the
// shell writes down the effects and what it hears.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "data/Tournament.h"
#include "game/Game.h"
#include "game/Step.h"
#include "rules/Cues.h"
#include "rules/ImageCheck.h"

namespace {

const char* const ModeNames[] = {"title", "making", "story", "board", "view", "battle"};

// The screens a step asks for, in order.
class TScreenRecord : public TGameView {
 public:
  std::string Text;
  void ShowTitle() override { Text += "title;"; }
  void ShowMaking(const TGame&) override { Text += "making;"; }
  void ShowStory() override { Text += "story;"; }
  void ShowBoard(const TGame& g) override {
    Text += "board " + std::to_string(g.Growth.Growing) + ";";
  }
  void ShowMatch(const TGame& g) override {
    Text += "match " + std::to_string(g.Battle.MatchIndex) + ";";
  }
};

// Effects and mode changes as they reach the caller, and the decided matches.
class TStepRecord : public TGameShell {
 public:
  std::string Text;
  void Apply(const TEffect& e) override {
    const char* const kinds[] = {"cue ", "present", "caption ", "message ", "quit", "fighters"};
    Text += kinds[e.Kind] + e.Text + "\n";
  }
  void ModeChanged(const TGame& g, TGameMode m, bool entered) override {
    Text += std::string(entered ? "entered " : "mode ") + ModeNames[m] + " " +
            std::to_string(g.Tournament.Stage) + "\n";
  }
  void MatchDecided(const TGame& g, const TSwordia& winner, const TSwordia&, int result) override {
    Text += "match " + std::to_string(g.Tournament.Stage) + " " + winner.Name + " " +
            std::to_string(result) + "\n";
  }
};

class TEveryPicture : public TImageCheck {
 public:
  bool Fits(std::string_view, int, int) const override { return true; }
};

// One game with its own view and shell, played by a fixed policy: every point
// on hit points, every story closed, every battle skipped.
struct TPlayer {
  TScreenRecord View;
  TStepRecord Shell;
  TGame Game{View};
  explicit TPlayer(std::uint32_t seed) { Game.Dice.Seed(seed); }

  bool Over() const { return Game.Mode == gmBoard && Game.Tournament.Stage == EndStage; }
  void Command(TCommandKind kind) { RunCommand(Game, Shell, {kind, 0}); }
  // One step of the game.
  void Step() {
    const TTournament& t = Game.Tournament;
    switch (Game.Mode) {
      case gmTitle:
        return StartFromTitle(Game, Shell, {}, TEveryPicture());
      case gmMaking:
        return Command(t.HeroEdit.Bonus > 0 ? TCommandKind::RaiseStat : TCommandKind::DecideEdit);
      case gmStory:
        return Command(TCommandKind::CloseStory);
      case gmBoard:
        if (Game.Growth.Growing) return GrowthStep(Game, Shell);
        if (t.HeroEdit.Bonus > 0 && t.Hero->InTournament) return Command(TCommandKind::ChangeBuild);
        return Command(TCommandKind::StartRound);
      case gmView:
        return Command(TCommandKind::CloseView);
      case gmBattle:
        return Command(TCommandKind::BattleSkip);
    }
  }
};

TEST(GameSteps, AWholeGamePlaysWithoutAWindow) {
  TPlayer p(11);
  EnterMode(p.Game, p.Shell, gmTitle);
  for (int steps = 0; !p.Over() && steps < 100000; ++steps) p.Step();
  ASSERT_TRUE(p.Over());
  const TTournament& t = p.Game.Tournament;
  EXPECT_EQ(t.EntrantCount, 1);
  EXPECT_EQ(t.Hero->Spec.MaxHP, 50);
  // The first screens in order, each presented once its entry is over, and
  // the title's click in two steps: the cue, the black screen, then making.
  const std::string start = "mode title 0\npresent\nentered title 0\ncue " +
                            std::string(CueTransition) +
                            "\npresent\nmode making 0\npresent\nentered making 0\n";
  EXPECT_EQ(p.Shell.Text.substr(0, start.size()), start);
  EXPECT_EQ(p.View.Text.substr(0, 30), "title;making;story;board 0;mat");
  // 31 matches, and the end of the loop never asked for.
  std::size_t matches = 0;
  for (std::size_t at = 0; (at = p.Shell.Text.find("\nmatch ", at)) != std::string::npos; ++at) {
    ++matches;
  }
  EXPECT_EQ(matches, 31u);
  EXPECT_EQ(p.Shell.Text.find("quit"), std::string::npos);
}

TEST(GameSteps, TwoGamesSteppedInTurnPlayAsEachAlone) {
  auto alone = [](std::uint32_t seed) {
    TPlayer p(seed);
    EnterMode(p.Game, p.Shell, gmTitle);
    while (!p.Over()) p.Step();
    return p.Shell.Text;
  };
  TPlayer a(3), b(4);
  EnterMode(a.Game, a.Shell, gmTitle);
  EnterMode(b.Game, b.Shell, gmTitle);
  while (!a.Over() || !b.Over()) {
    if (!a.Over()) a.Step();
    if (!b.Over()) b.Step();
  }
  EXPECT_EQ(a.Shell.Text, alone(3));
  EXPECT_EQ(b.Shell.Text, alone(4));
}

}  // namespace
