// Hero making as the player drives it: clicks and pointer moves go through the
// sensor registry of the painted hero setup screen, and the working copy, the
// sounds and the pixels of the screen are checked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Status.h"
#include "data/Tournament.h"
#include "game/Making.h"
#include "game/Mode.h"
#include "game/Step.h"
#include "paint/MakingScreen.h"
#include "paint/ScreenKit.h"
#include "rules/Cues.h"
#include "tests/PixelTestSupport.h"
#include "tests/TestSupport.h"

namespace {

constexpr int HeroSlot = 5;
constexpr TPixelColor PortraitColor = MakeColor(40, 200, 90);

// A point inside the rectangle clear of any caption: one pixel in from its
// top-left corner.
TPoint Corner(const TRect& r) {
  return TPoint{r.Left + 1, r.Top + 1};
}
TPoint Centre(const TRect& r) {
  return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

std::string Rgb(TPixelColor c) {
  return std::to_string(c.Red) + "," + std::to_string(c.Green) + "," + std::to_string(c.Blue);
}

class MakingTest : public ScreenTest {
 protected:
  void SetUp() override {
    TTournament& t = game_.Tournament;
    TSwordia& hero = t.Slots[HeroSlot];
    hero.Name = Sj("ケイ");
    hero.Flavor = {Sj("北の村から来た剣師。"), Sj("剣を選ぶ。")};
    screens_.Portraits[HeroSlot].Fill(PortraitColor);
    t.Hero = &hero;
    StartAt(0, TSpec{}, HeroStartBonus);
  }
  // The hero with this build and these points at the stage, the working copy
  // a copy of it, the screen painted.
  void StartAt(int stage, const TSpec& spec, int bonus) {
    TTournament& t = game_.Tournament;
    t.Stage = stage;
    t.Hero->Spec = spec;
    t.Hero->Bonus = bonus;
    t.HeroEdit = *t.Hero;
    Paint();
  }
  void Paint() {
    InstallRegions(screens_.Sensors, PaintMaking(screens_, game_));
    Present(screens_);
    player_.Played.clear();
  }
  void Click(const TRect& r) {
    const TPoint p = Centre(r);
    RunCommand(game_, shell_, SensorClick(screens_.Sensors, p.X, p.Y));
  }
  using ScreenTest::Hover;
  void Hover(const TRect& r) {
    const TPoint p = Centre(r);
    Hover(p.X, p.Y);
  }
  std::string Swords() const { return U8(game_.Tournament.HeroEdit.Spec.Swords.Str()); }

  // What the screen shows at the point, against what BaseLayer holds there
  // changed by the look: the base itself, dimmed, lit red or pink.
  ::testing::AssertionResult Looks(const TRect& r, TPixelColor blendedWith, bool blended) const {
    const TPoint p = Corner(r);
    const TPixelColor base = screens_.BaseLayer.Pixel(p.X, p.Y);
    const TPixelColor want = blended ? Blend(base, blendedWith) : base;
    const TPixelColor got = screens_.ScreenLayer.Pixel(p.X, p.Y);
    if (ColorsEqual(got, want)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << p.X << "," << p.Y << " the screen shows "
                                         << Rgb(got) << ", not " << Rgb(want);
  }
  ::testing::AssertionResult Bright(const TRect& r) const { return Looks(r, ColorBlack, false); }
  ::testing::AssertionResult Dimmed(const TRect& r) const { return Looks(r, ColorBlack, true); }
  ::testing::AssertionResult LitRed(const TRect& r) const { return Looks(r, ColorRed, true); }
  ::testing::AssertionResult LitPink(const TRect& r) const {
    return Looks(r, SlotPointerColor, true);
  }

  bool HelpBoxShown() const {
    return ColorsEqual(screens_.ScreenLayer.Pixel(3, HelpRect.Top + 3), HelpBoxColor);
  }
};

using Played = std::vector<std::string>;

TEST_F(MakingTest, AtStageZeroDecideWaitsForEveryPointAndResetBringsBackTheEmptyBuild) {
  TTournament& t = game_.Tournament;
  // Nothing spent: decide does nothing at all.
  Click(DecideButton);
  EXPECT_EQ(t.Hero->Bonus, 10);
  EXPECT_TRUE(player_.Played.empty());
  // Nine points spent: still nothing.
  for (int i = 0; i < 9; ++i) Click(StatButtons[i % 4]);
  EXPECT_EQ(t.HeroEdit.Bonus, 1);
  player_.Played.clear();
  Click(DecideButton);
  EXPECT_TRUE(player_.Played.empty());
  EXPECT_EQ(t.Hero->Spec, TSpec{});
  // Reset brings back the empty build with its ten points.
  Click(ResetButton);
  EXPECT_EQ(t.HeroEdit.Spec, TSpec{});
  EXPECT_EQ(t.HeroEdit.Bonus, 10);
  EXPECT_EQ(player_.Played, Played{CueSuka});
  // Nothing to undo: no sound.
  Click(ResetButton);
  EXPECT_EQ(player_.Played, Played{CueSuka});
  // All ten spent: decide becomes usable (it leaves the screen: the game
  // tests follow it to the prologue).
  for (int i = 0; i < 10; ++i) Click(StatButtons[i % 4]);
  EXPECT_TRUE(Bright(DecideButton));
  Hover(DecideButton);
  EXPECT_TRUE(LitRed(DecideButton));
}

// A step's cues and presents wait in the game in the order asked; the shell
// carries them out once the step has returned.
TEST_F(MakingTest, AStepsEffectsAreCarriedOutInOrderOnceItHasReturned) {
  const auto presented = PresentCount(screens_);
  RunGameStep(game_, shell_, [&] {
    RaiseStat(game_, 0);
    ResetEdit(game_, 0);
    // Reset takes the hover again, a present of its own, then presents.
    const TEffect popon{TEffect::Cue, CuePopon, {}}, suka{TEffect::Cue, CueSuka, {}},
        present{TEffect::Present, {}, {}};
    EXPECT_EQ(game_.Effects, (std::vector<TEffect>{popon, present, suka, present, present}));
    EXPECT_EQ(PresentCount(screens_), presented);
  });
  EXPECT_EQ(player_.Played, (Played{CuePopon, CueSuka}));
  EXPECT_EQ(PresentCount(screens_), presented + 3);
  EXPECT_TRUE(game_.Effects.empty());
}

TEST_F(MakingTest, TenClicksOnHpGiveFiftyAndAnEleventhIsSilent) {
  for (int i = 0; i < 10; ++i) Click(StatButtons[0]);
  const TTournament& t = game_.Tournament;
  EXPECT_EQ(t.HeroEdit.Spec, SpecOf(50, 0, 0, 0, ""));
  EXPECT_EQ(t.HeroEdit.Bonus, 0);
  EXPECT_EQ(player_.Played, Played(10, CuePopon));
  Click(StatButtons[0]);
  Click(SwordButtons[1]);
  EXPECT_EQ(t.HeroEdit.Spec.MaxHP, 50);
  EXPECT_EQ(player_.Played.size(), 10u);
  // The other three buttons each buy their own number.
  StartAt(0, TSpec{}, 3);
  Click(StatButtons[1]);
  Click(StatButtons[2]);
  Click(StatButtons[2]);
  EXPECT_EQ(t.HeroEdit.Spec, SpecOf(0, 1, 2, 0, ""));
  StartAt(0, TSpec{}, 1);
  Click(StatButtons[3]);
  EXPECT_EQ(t.HeroEdit.Spec, SpecOf(0, 0, 0, 1, ""));
}

TEST_F(MakingTest, TheLastPointOnASwordDimsTheButtonsThatThenOnlyShowTheirHelp) {
  StartAt(0, SpecOf(20, 1, 1, 1, ""), 1);
  const TRect& button = SwordButtons[swMirror];
  Hover(button);
  EXPECT_TRUE(LitRed(button));
  EXPECT_TRUE(HelpBoxShown());
  // The pointer rests on the button and clicks it.
  Click(button);
  EXPECT_EQ(Swords(), "鏡");
  EXPECT_EQ(game_.Tournament.HeroEdit.Bonus, 0);
  for (const TRect& r : StatButtons) EXPECT_TRUE(Dimmed(r));
  for (int k = 1; k <= SwordKindCount; ++k) EXPECT_TRUE(Dimmed(SwordButtons[k])) << k;
  EXPECT_TRUE(HelpBoxShown());
  // Elsewhere the same: no light, the help text still there.
  Hover(SwordButtons[swSlash]);
  EXPECT_TRUE(Dimmed(SwordButtons[swSlash]));
  EXPECT_TRUE(Dimmed(button));
  EXPECT_TRUE(HelpBoxShown());
  Hover(StatButtons[2]);
  EXPECT_TRUE(Dimmed(StatButtons[2]));
  EXPECT_TRUE(HelpBoxShown());
  // Leaving the buttons brings back the flavour text, the buttons stay dim.
  Hover(CaptionRect);
  EXPECT_FALSE(HelpBoxShown());
  EXPECT_TRUE(Dimmed(StatButtons[2]));
  // Now reset and decide can be used and light up.
  EXPECT_TRUE(Bright(ResetButton));
  EXPECT_TRUE(Bright(DecideButton));
  Hover(DecideButton);
  EXPECT_TRUE(LitRed(DecideButton));
}

TEST_F(MakingTest, FreshScreenAtStageZeroDimsResetAndDecideOnly) {
  for (const TRect& r : StatButtons) EXPECT_TRUE(Bright(r));
  for (int k = 1; k <= SwordKindCount; ++k) EXPECT_TRUE(Bright(SwordButtons[k])) << k;
  EXPECT_TRUE(Dimmed(ResetButton));
  EXPECT_TRUE(Dimmed(DecideButton));
  Hover(StatButtons[0]);
  EXPECT_TRUE(LitRed(StatButtons[0]));
  Hover(ResetButton);
  EXPECT_TRUE(Dimmed(ResetButton));
  EXPECT_TRUE(Bright(StatButtons[0]));
  Hover(DecideButton);
  EXPECT_TRUE(Dimmed(DecideButton));
  // One point spent: reset lights up, decide stays dim at stage 0.
  Click(SwordButtons[1]);
  Hover(ResetButton);
  EXPECT_TRUE(LitRed(ResetButton));
  Hover(DecideButton);
  EXPECT_TRUE(Dimmed(DecideButton));
}

TEST_F(MakingTest, SwapsTheSlotWithTheNextAndTheLastWithTheFirst) {
  const TSpec abc = SpecOf(10, 1, 1, 1, "斬闇衝");
  StartAt(2, abc, 1);
  Click(SlotRects[0]);
  EXPECT_EQ(Swords(), "闇斬衝");
  EXPECT_EQ(player_.Played, Played{CuePopon});
  game_.Tournament.HeroEdit.Spec = abc;
  Click(SlotRects[2]);
  EXPECT_EQ(Swords(), "衝闇斬");
  // Swapping spends nothing.
  EXPECT_EQ(game_.Tournament.HeroEdit.Bonus, 1);
  // A slot without a sword swaps nothing and is silent.
  player_.Played.clear();
  Click(SlotRects[3]);
  Click(SlotRects[19]);
  EXPECT_EQ(Swords(), "衝闇斬");
  EXPECT_TRUE(player_.Played.empty());
  // A single sword has nothing to swap with.
  StartAt(2, SpecOf(10, 1, 1, 1, "斬"), 0);
  Click(SlotRects[0]);
  EXPECT_EQ(Swords(), "斬");
  EXPECT_TRUE(player_.Played.empty());
}

TEST_F(MakingTest, TheSlotPairUnderThePointerIsLitAndFollowsASwap) {
  StartAt(2, SpecOf(10, 1, 1, 1, "斬闇衝"), 0);
  Hover(SlotRects[2]);
  EXPECT_TRUE(LitRed(SlotRects[2]));
  EXPECT_TRUE(LitPink(SlotRects[0]));
  EXPECT_TRUE(Bright(SlotRects[1]));
  // Moving to slot 0: its pair is slot 1; the old pair is gone.
  Hover(SlotRects[0]);
  EXPECT_TRUE(LitRed(SlotRects[0]));
  EXPECT_TRUE(LitPink(SlotRects[1]));
  EXPECT_TRUE(Bright(SlotRects[2]));
  // A click redraws the order and lights the pair again.
  Click(SlotRects[0]);
  EXPECT_TRUE(LitRed(SlotRects[0]));
  EXPECT_TRUE(LitPink(SlotRects[1]));
  // Beyond the last sword nothing lights up.
  Hover(SlotRects[3]);
  for (int j = 0; j < 4; ++j) EXPECT_TRUE(Bright(SlotRects[j])) << j;
}

TEST_F(MakingTest, SlotsAreWhiteUpToTheLastSwordAndWipedOnARedraw) {
  StartAt(0, TSpec{}, 10);
  const TPoint p = Corner(SlotRects[0]);
  const TPixelColor backdrop = screens_.BaseLayer.Pixel(p.X, p.Y);
  for (int k = 1; k <= 3; ++k) Click(SwordButtons[k]);
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(p.X, p.Y), Blend(backdrop, ColorWhite)));
  EXPECT_TRUE(Bright(SlotRects[2]));  // the screen shows the new slots
  const TPoint q = Corner(SlotRects[3]);
  EXPECT_TRUE(
      ColorsEqual(screens_.BaseLayer.Pixel(q.X, q.Y),
                  screens_.SlotBackdrop.Pixel(q.X - SlotBlockRect.Left, q.Y - SlotBlockRect.Top)));
  // A reset to the empty build leaves no white slot behind.
  Click(ResetButton);
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(p.X, p.Y), backdrop));
  EXPECT_TRUE(Bright(SlotRects[0]));
}

TEST_F(MakingTest, AtStageThreeDecideWithAPointLeftReturnsToTheBoard) {
  StartAt(3, SpecOf(30, 3, 2, 2, "斬闇衝"), 1);
  EXPECT_TRUE(Bright(DecideButton));
  Click(DecideButton);
  EXPECT_EQ(game_.Mode, gmBoard);
  EXPECT_EQ(player_.Played, Played{CueTransition});
  // The point is still there, so the board's start stays inert.
  EXPECT_EQ(game_.Tournament.HeroEdit.Bonus, 1);
  EXPECT_TRUE(CanSpend(game_.Tournament));
}

TEST_F(MakingTest, AtStageTwoDecideLeavesTheHeroAsItFoughtAndTheEditAsLeft) {
  const TSpec old = SpecOf(30, 3, 2, 2, "斬闇");
  StartAt(2, old, 1);
  Click(SwordButtons[swShield]);
  Click(SlotRects[1]);
  Click(DecideButton);
  EXPECT_EQ(game_.Mode, gmBoard);
  EXPECT_EQ(game_.Tournament.Hero->Spec, old);
  EXPECT_EQ(game_.Tournament.Hero->Bonus, 1);
  // Coming back finds the working copy as it was left, on the panel too.
  Paint();
  EXPECT_EQ(game_.Tournament.HeroEdit.Spec, SpecOf(30, 3, 2, 2, "斬盾闇"));
  EXPECT_EQ(game_.Tournament.HeroEdit.Bonus, 0);
  EXPECT_TRUE(Bright(SlotRects[2]));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(Corner(SlotRects[2]).X, Corner(SlotRects[2]).Y),
                          Blend(screens_.SlotBackdrop.Pixel(37, 1), ColorWhite)));
  EXPECT_TRUE(Dimmed(SwordButtons[1]));
  EXPECT_TRUE(Bright(ResetButton));
}

TEST_F(MakingTest, ThePortraitShowsBareUnderThePointer) {
  const TPoint p{150, 280};
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(p.X, p.Y), Blend(PortraitColor, ColorBlack)));
  Hover(p.X, p.Y);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(p.X, p.Y), PortraitColor));
  Hover(CaptionRect);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(p.X, p.Y), Blend(PortraitColor, ColorBlack)));
}

// Rows of the help box that hold any text: line i spans 313 + 18 i onward.
int HelpLinesShown(const TScreens& s) {
  int lines = 0;
  for (int i = 0; i < 7; ++i) {
    bool ink = false;
    for (int y = 313 + 18 * i; y < 313 + 18 * i + 16 && !ink; ++y) {
      for (int x = 0; x < ScreenWidth && !ink; ++x) {
        ink = !ColorsEqual(s.ScreenLayer.Pixel(x, y), HelpBoxColor);
      }
    }
    if (ink) lines = i + 1;
  }
  return lines;
}

TEST_F(MakingTest, HelpTextsFillTheirLines) {
  Hover(StatButtons[3]);
  EXPECT_EQ(HelpLinesShown(screens_), 3);
  Hover(StatButtons[1]);
  EXPECT_EQ(HelpLinesShown(screens_), 2);
  // A sword's description: mark and name, class, start, limited, a blank
  // line, two effect lines.
  Hover(SwordButtons[swMirror]);
  EXPECT_EQ(HelpLinesShown(screens_), 7);
}

TEST_F(MakingTest, SixtyThreeRegionsInTheirOrder) {
  // The painter returns its regions and leaves the registry to the flow.
  ClearSensors(screens_.Sensors);
  const THitTable r = PaintMaking(screens_, game_);
  EXPECT_EQ(screens_.Sensors.SensorCount, 0);
  using K = TCommandKind;
  ASSERT_EQ(r.size(), 63u);
  struct TWant {
    TRect Rect;
    TCommandKind Click;
    std::int32_t Tag;
  };
  std::vector<TWant> want{{PortraitRect, K::None, 0}, {HelpRect, K::CloseView, 0}};
  for (int t = 0; t < 4; ++t) want.push_back({StatButtons[t], K::RaiseStat, t});
  for (int k = 1; k <= SwordKindCount; ++k) want.push_back({SwordButtons[k], K::AddSword, k});
  want.push_back({ResetButton, K::ResetEdit, 0});
  want.push_back({DecideButton, K::DecideEdit, 0});
  for (int j = 0; j < SlotCountShown; ++j) want.push_back({SlotRects[j], K::SwapSwords, j});
  for (int i = 0; i < 63; ++i) {
    const TSensor& s = r[i];
    EXPECT_EQ(s.Rect, want[i].Rect) << i;
    EXPECT_EQ(s.OnClick, want[i].Click) << i;
    EXPECT_EQ(s.Tag, want[i].Tag) << i;
    EXPECT_EQ(s.Repeat, i == 1) << i;
    EXPECT_NE(s.OnEnter, nullptr) << i;
    EXPECT_NE(s.OnLeave, nullptr) << i;
  }
}

TEST_F(MakingTest, TheLastPointSpentWithThePointerElsewhereShowsTheClickedSwordsHelp) {
  StartAt(0, SpecOf(20, 1, 1, 1, ""), 1);
  Hover(StatButtons[0]);
  ASSERT_EQ(HelpLinesShown(screens_), 2);
  // The click comes on a sword button without a move there first.
  Click(SwordButtons[swMirror]);
  EXPECT_EQ(Swords(), "鏡");
  EXPECT_EQ(HelpLinesShown(screens_), 7);
}

}  // namespace
