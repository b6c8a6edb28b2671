// Hero making inside the whole game, on the logic library with a game of the
// test's own: from the title to the prologue, and between rounds from the
// board and back, where the start stays inert while a point is left and the
// hero keeps the build it fought with until its next match opens.
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "battle/Stepping.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "growth/GrowthDriver.h"
#include "rules/Cues.h"
#include "tests/GameTestSupport.h"
#include "tests/TestSupport.h"

namespace {

const char* const TestStory = "@Stage0\n#Title Prologue\nthe prologue\n\n#stop\n";

using K = TCommandKind;

class HeroMakingInGame : public GameInFolder {
 protected:
  void SetUp() override {
    GameInFolder::SetUp();
    PutDataFile("story.txt", TestStory);
    OpenGame();
    StartGame();
  }

  void BoardAt(int stage, const TSpec& hero, int bonus) {
    BoardAtStage(Game(), Shell(), stage, hero, bonus);
  }
};

TEST_F(HeroMakingInGame, TheTitleOpensTheEmptyBuildAndDecideTellsThePrologueOnceAllIsSpent) {
  TTournament& t = Game().Tournament;
  ASSERT_EQ(Game().Mode, gmMaking);
  EXPECT_EQ(t.HeroEdit.Spec, TSpec{});
  EXPECT_EQ(t.HeroEdit.Bonus, 10);
  cues_.Played.clear();
  Click(K::DecideEdit);
  EXPECT_EQ(Game().Mode, gmMaking);
  EXPECT_TRUE(cues_.Played.empty());
  // Ten points: four on HP, three on attack, one on defence, two swords.
  for (int i = 0; i < 4; ++i) Click(K::RaiseStat, 0);
  for (int i = 0; i < 3; ++i) Click(K::RaiseStat, 1);
  Click(K::RaiseStat, 2);
  Click(K::AddSword, swSlash);
  Click(K::AddSword, swDarkness);
  Click(K::SwapSwords, 1);  // the order: 闇 before 斬
  Click(K::DecideEdit);
  EXPECT_EQ(Game().Mode, gmStory);
  EXPECT_EQ(CaptionU8(), "Prologue");
  EXPECT_EQ(t.Hero->Spec, SpecOf(20, 3, 1, 0, "闇斬"));
  EXPECT_EQ(t.Hero->Bonus, 0);
  ASSERT_EQ(cues_.Played.size(), 12u);
  EXPECT_EQ(cues_.Played[10], CuePopon);  // the swap
  EXPECT_EQ(cues_.Played[11], CueTransition);
}

TEST_F(HeroMakingInGame, AtStageThreeAPointLeftKeepsStartInertUntilItIsSpent) {
  TTournament& t = Game().Tournament;
  const TSpec old = SpecOf(40, 5, 3, 3, "斬闇衝");
  BoardAt(3, old, 1);
  RunGameStep(Game(), Shell(), [&] { ChangeBuild(Game(), 0); });
  ASSERT_EQ(Game().Mode, gmMaking);
  cues_.Played.clear();
  // Decide with the point unspent: back to the board, whose start refuses.
  Click(K::DecideEdit);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(cues_.Played, std::vector<std::string>{CueTransition});
  Click(K::StartRound);
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, 3);
  // The working copy is as left; the point spent, the start works.
  RunGameStep(Game(), Shell(), [&] { ChangeBuild(Game(), 0); });
  ASSERT_EQ(Game().Mode, gmMaking);
  EXPECT_EQ(t.HeroEdit.Bonus, 1);
  Click(K::AddSword, swShield);
  Click(K::DecideEdit);
  ASSERT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Hero->Spec, old);
  Click(K::StartRound);
  EXPECT_EQ(Game().Mode, gmBattle);
  // The hero's match opens, on the first click, with the working copy's
  // build.
  ASSERT_EQ(Game().Battle.SwordiaA, t.Hero);
  EXPECT_EQ(t.Hero->Spec, old);
  RunCommand(Game(), Shell(), {TCommandKind::BattleStep, 0});
  EXPECT_EQ(t.Hero->Spec, SpecOf(40, 5, 3, 3, "斬闇衝盾"));
  EXPECT_EQ(t.Hero->Bonus, 0);
}

}  // namespace
