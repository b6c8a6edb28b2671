// The keys' outcomes on every screen, on the logic library with a game of
// the test's own and the screen as the keys see it: which region each key
// clicks, a held key's pace and which screens a key acts on.
#include <gtest/gtest.h>

#include "data/Tournament.h"
#include "game/Keys.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "game/StoryRunner.h"
#include "tests/GameTestSupport.h"
#include "tests/TestSupport.h"

namespace {

using K = TCommandKind;

// The keys as the main window hands them to the game.
namespace Press {
constexpr TKeyPress Space{TKeyAction::Main}, Return{TKeyAction::Main};
constexpr TKeyPress Right{TKeyAction::Main, true}, Escape{TKeyAction::Close};
constexpr TKeyPress M{TKeyAction::Mute}, F2{TKeyAction::NewTournament};
}  // namespace Press

class GameKeys : public GameInFolder {
 protected:
  TKeyOutcome Outcome(TKeyPress key, bool repeat) {
    return KeyOutcome(Game(), screen_, memory_, key, repeat);
  }
  // A key as the main window carries out its command or the title's start
  // (the regions a key clicks outside hero making all have tag 0).
  void Key(TKeyPress key) {
    const TKeyOutcome outcome = Outcome(key, false);
    if (outcome.What == TKeyOutcome::Command || outcome.What == TKeyOutcome::Region) {
      RunCommand(Game(), Shell(), outcome.Click);
    }
    if (outcome.What == TKeyOutcome::StartGame) StartGame();
  }
  // From the title to the prologue, the hero made with every point spent.
  void MakeHero(const TSpec& hero) {
    OpenGame();
    Key(Press::Space);
    Game().Tournament.HeroEdit.Spec = hero;
    Game().Tournament.HeroEdit.Bonus = 0;
    *Game().Tournament.Hero = Game().Tournament.HeroEdit;
    EnterMode(Game(), Shell(), gmStory);
  }

  TKeyScreen screen_;  // no help page over it, the log at rest, no focus
  TKeyMemory memory_;
};

TEST_F(GameKeys, EachKeyClicksItsRegionOfTheScreenShown) {
  // The command of the region each key clicks (None: the key does nothing),
  // each screen entered as the game enters it.
  const struct {
    TGameMode Mode;
    K Main, Close;
    void (*Enter)(TGame&);
  } rows[] = {{gmStory, K::NextPage, K::CloseStory, [](TGame&) {}},
              {gmBoard, K::StartRound, K::None, [](TGame& g) { CloseStory(g, 0); }},
              {gmBattle, K::BattleStep, K::BattleSkip, [](TGame& g) { StartRound(g, 0); }},
              {gmView, K::CloseView, K::CloseView, [](TGame& g) { ViewEntrant(g, 3); }},
              {gmMaking, K::None, K::None, [](TGame& g) { SetMode(g, gmMaking); }}};
  MakeHero(SpecOf(30, 2, 1, 1, "斬"));
  for (const auto& row : rows) {
    RunGameStep(Game(), Shell(), [&] { row.Enter(Game()); });
    ASSERT_EQ(Game().Mode, row.Mode);
    for (TKeyPress key : {Press::Space, Press::Return, Press::Right}) {
      EXPECT_EQ(Outcome(key, false).Click.Kind, row.Main) << int(row.Mode);
    }
    EXPECT_EQ(Outcome(Press::Escape, false).Click.Kind, row.Close) << int(row.Mode);
    EXPECT_EQ(Outcome(Press::M, false).What, TKeyOutcome::ToggleMute);
    EXPECT_EQ(Outcome(Press::F2, false).What, TKeyOutcome::Nothing);  // the hero is in
  }
}

TEST_F(GameKeys, AHeldKeyStepsAtTheLogsPaceOnItsOwnScreenAndEscapeSkipsOnlyWhileItCan) {
  MakeHero(SpecOf(30, 2, 1, 1, "斬"));
  for (TKeyPress key : {Press::Escape, Press::Space, Press::Space}) Key(key);
  ASSERT_EQ(Game().Mode, gmBattle);
  screen_.LogGliding = true;
  EXPECT_EQ(Outcome(Press::Space, true).What, TKeyOutcome::Nothing);
  screen_.LogGliding = false;
  EXPECT_EQ(Outcome(Press::Space, true).Click.Kind, K::BattleStep);
  // SKIP runs the battle to its end, after which SKIP is gone.
  Key(Press::Escape);
  EXPECT_FALSE(Game().Battle.SkipAllowed);
  EXPECT_EQ(Outcome(Press::Escape, false).What, TKeyOutcome::Nothing);
  // A key held from the battle does nothing on the next screen.
  EnterMode(Game(), Shell(), gmBoard);
  EXPECT_EQ(Outcome(Press::Space, true).What, TKeyOutcome::Nothing);
  EXPECT_EQ(Outcome(Press::Space, false).Click.Kind, K::StartRound);
}

}  // namespace
