// Hero making inside the whole game, headless through the main window: from
// the title to the prologue, and between rounds from the board and back,
// where the start stays inert while a point is left and the hero keeps the
// build it fought with until its next match opens.
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "battle/Stepping.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "growth/GrowthDriver.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "rules/Cues.h"
#include "tests/FlowTestSupport.h"
#include "tests/TestSupport.h"

namespace {

const char* const TestStory = "@Stage0\n#Title Prologue\nthe prologue\n\n#stop\n";

class HeroMakingInGame : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    PutDataFile("story.txt", TestStory);
    OpenWindow();
    LeftClick(10, 10);
  }

  void ClickOn(const TRect& r) { LeftClick((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  void MoveOver(const TRect& r) { MoveTo((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

  // The board of a later stage, the hero in slot 0 with `hero` and `bonus`
  // points, its first-round opponent and the other entrants still in.
  void BoardAt(int stage, const TSpec& hero, int bonus) {
    MoveHeroToSlot(0);
    TTournament& t = Game().Tournament;
    const int entrants = SlotCount >> (stage - 1);
    for (int k = 0; k < SlotCount; ++k) t.Slots[k].InTournament = k < entrants;
    t.EntrantCount = entrants;
    for (int i = 0; i < entrants; ++i) {
      t.Entrants[i] = &t.Slots[i];
      Game().Tournament.GrownSpecs[i] = SpecOf(5, 0, 0, 0, "斬");
    }
    t.Stage = stage;
    t.Hero->Spec = hero;
    t.Hero->Bonus = bonus;
    t.HeroEdit = *t.Hero;
    Game().Growth = TGrowthDriver();
    EnterMode(Game(), Shell(), gmBoard);
  }

  // The pixels of the board's entrant strip while the pointer is on the hero.
  std::vector<TPixelColor> HeroStrip() {
    MoveOver(BracketRects[0][0]);
    std::vector<TPixelColor> pixels;
    for (int y = BoardInfoRect.Top; y < BoardInfoRect.Bottom; ++y) {
      for (int x = BoardInfoRect.Left; x < BoardInfoRect.Right; ++x) {
        pixels.push_back(Screen().Pixel(x, y));
      }
    }
    MoveTo(599, 0);
    return pixels;
  }
};

bool SamePixels(const std::vector<TPixelColor>& a, const std::vector<TPixelColor>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!ColorsEqual(a[i], b[i])) return false;
  }
  return true;
}

TEST_F(HeroMakingInGame, TheTitleOpensTheEmptyBuildAndDecideTellsThePrologueOnceAllIsSpent) {
  TTournament& t = Game().Tournament;
  ASSERT_EQ(Game().Mode, gmMaking);
  EXPECT_EQ(Screens().Sensors.SensorCount, 63);
  EXPECT_EQ(t.HeroEdit.Spec, TSpec{});
  EXPECT_EQ(t.HeroEdit.Bonus, 10);
  // The window shows the screen as painted, decide dimmed.
  const TPoint p{DecideButton.Left + 1, DecideButton.Top + 1};
  const TPixelColor base = Screens().BaseLayer.Pixel(p.X, p.Y);
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(p.X, p.Y),
                          MakeColor(base.Red / 2, base.Green / 2, base.Blue / 2)));
  cues_.Played.clear();
  ClickOn(DecideButton);
  EXPECT_EQ(Game().Mode, gmMaking);
  EXPECT_TRUE(cues_.Played.empty());
  // Ten points: four on HP, three on attack, one on defence, two swords.
  for (int i = 0; i < 4; ++i) ClickOn(StatButtons[0]);
  for (int i = 0; i < 3; ++i) ClickOn(StatButtons[1]);
  ClickOn(StatButtons[2]);
  ClickOn(SwordButtons[swSlash]);
  ClickOn(SwordButtons[swDarkness]);
  ClickOn(SlotRects[1]);  // the order: 闇 before 斬
  ClickOn(DecideButton);
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
  ClickOn(DecideButton);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(cues_.Played, std::vector<std::string>{CueTransition});
  ClickOn(StartButton);
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, 3);
  // The working copy is as left; the point spent, the start works.
  RunGameStep(Game(), Shell(), [&] { ChangeBuild(Game(), 0); });
  ASSERT_EQ(Game().Mode, gmMaking);
  EXPECT_EQ(t.HeroEdit.Bonus, 1);
  ClickOn(SwordButtons[swShield]);
  ClickOn(DecideButton);
  ASSERT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Hero->Spec, old);
  ClickOn(StartButton);
  EXPECT_EQ(Game().Mode, gmBattle);
  // The hero's match opens, on the first click, with the working copy's
  // build.
  ASSERT_EQ(Game().Battle.SwordiaA, t.Hero);
  EXPECT_EQ(t.Hero->Spec, old);
  RunCommand(Game(), Shell(), {TCommandKind::BattleStep, 0});
  EXPECT_EQ(t.Hero->Spec, SpecOf(40, 5, 3, 3, "斬闇衝盾"));
  EXPECT_EQ(t.Hero->Bonus, 0);
}

TEST_F(HeroMakingInGame, AfterDecideAtStageTwoTheBoardStillShowsTheOldBuild) {
  TTournament& t = Game().Tournament;
  const TSpec old = SpecOf(30, 3, 2, 2, "斬闇");
  BoardAt(2, old, 1);
  const std::vector<TPixelColor> before = HeroStrip();
  RunGameStep(Game(), Shell(), [&] { ChangeBuild(Game(), 0); });
  ASSERT_EQ(Game().Mode, gmMaking);
  ClickOn(StatButtons[1]);
  ClickOn(SlotRects[0]);
  ClickOn(DecideButton);
  ASSERT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Hero->Spec, old);
  EXPECT_EQ(t.HeroEdit.Spec, SpecOf(30, 4, 2, 2, "闇斬"));
  EXPECT_TRUE(SamePixels(HeroStrip(), before));
  // The strip does show the hero's build: the new one would look different.
  t.Hero->Spec = t.HeroEdit.Spec;
  EXPECT_FALSE(SamePixels(HeroStrip(), before));
}

}  // namespace
