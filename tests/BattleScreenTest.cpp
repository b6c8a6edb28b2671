// The battle screen drawn headless: the fighter panels, the regions, the log
// gliding up tick by tick, the SKIP button's look, and a long match played
// to its end while the scroll timer runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/BattleLog.h"
#include "battle/Stepping.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "paint/BattleScreen.h"
#include "paint/ScreenKit.h"
#include "tests/BattleHarness.h"
#include "tests/PixelTestSupport.h"
#include "tests/TestGame.h"
#include "tests/TestSupport.h"

namespace {

using Lines = std::vector<std::string>;

const TPixelColor Marker = MakeColor(1, 2, 3);

class BattleScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    StartScreens();
    NewTestGame();
    LogStore = TLogStore();
    // A shown battle in progress, painted.
    Battle.LogOff = false;
    Battle.SkipAllowed = true;
    PaintBattle(TestGame());
  }
  void TearDown() override {
    NewTestGame();
    LogStore = TLogStore();
    ClearSensors();
  }

  // A fresh log whose six blank lines are given texts, so that every line's
  // place shows, then `added` lines appended.
  static void LogWith(int added) {
    LogClear(Battle);
    for (int i = 0; i < LogViewLines; ++i) LogStore.Lines[i] = Sj("古い行" + std::to_string(i));
    for (int i = 0; i < added; ++i) LogAppend(Battle, Sj("新しい行" + std::to_string(i)));
  }

  // The log window as it must look: the store's lines from the window's top at
  // (21, top + 18 i), clipped to the window, SKIP on top while it is shown.
  static void ExpectLog(int top, int count, bool skip, bool hovered) {
    TBromBitmap e;
    e.SetSize(ScreenWidth, ScreenHeight);
    e.Fill(ColorBlack);
    for (int i = 0; i < count; ++i) {
      DrawTextAt(e, 21, top + 18 * i, 14, false, ColorWhite, LogStore.Lines[LogScroll().Top + i]);
    }
    e.FillRect(0, 300, 600, 321, ColorBlack);
    e.FillRect(0, 429, 600, 450, ColorBlack);
    if (skip) e.CopyRect(BaseLayer, 530, 310, 60, 20, 530, 310);
    EXPECT_TRUE(RectMatches(ScreenLayer, e, LogRect,
                            [&](int x, int y, TPixelColor c) {
                              return hovered && RectContains(SkipButton, x, y) ? Blend(c, ColorRed)
                                                                               : c;
                            }))
        << "lines from y " << top;
  }
};

TEST_F(BattleScreen, RightAfterTheLogIsClearedNothingIsDrawnUntilALineComes) {
  LogClear(Battle);
  FillRectSolid(ScreenLayer, LogRect, Marker);
  const auto presented = PresentCount();
  for (int i = 0; i < 5; ++i) LogScrollTick(TestGame(), true);
  EXPECT_EQ(PresentCount(), presented);
  EXPECT_TRUE(FilledWith(ScreenLayer, LogRect, Marker));
  // A line is owed now, but only the battle screen scrolls.
  LogAppend(Battle, "x");
  LogScrollTick(TestGame(), false);
  EXPECT_EQ(LogScroll().Owed, 18);
  EXPECT_EQ(PresentCount(), presented);
  LogScrollTick(TestGame(), true);
  EXPECT_EQ(PresentCount(), presented + 1);
  EXPECT_FALSE(FilledWith(ScreenLayer, LogRect, Marker));
}

TEST_F(BattleScreen, OneLineGlidesUpOverNineTicksAndRestsAtTheBottom) {
  LogWith(1);
  ASSERT_EQ(LogStore.Lines.size(), 7u);
  // The first tick: 14 still owed, nothing passed, 4 pixels moved: seven
  // lines from y 317 to 425.
  LogScrollTick(TestGame(), true);
  EXPECT_EQ(LogScroll().Owed, 14);
  EXPECT_EQ(LogScroll().Top, 0);
  ExpectLog(317, 7, true, false);
  // Then 3, 3, 2, 2, 1, 1, 1 pixels further.
  const int owed[] = {11, 8, 6, 4, 3, 2, 1};
  const int tops[] = {314, 311, 309, 307, 306, 305, 304};
  for (int t = 0; t < 7; ++t) {
    LogScrollTick(TestGame(), true);
    EXPECT_EQ(LogScroll().Owed, owed[t]);
    EXPECT_EQ(LogScroll().Top, 0);
    ExpectLog(tops[t], 7, true, false);
  }
  // The ninth tick passes the oldest line; the new one rests at y 411.
  LogScrollTick(TestGame(), true);
  EXPECT_EQ(LogScroll().Owed, 0);
  ASSERT_EQ(LogScroll().Top, 1);
  ExpectLog(321, 6, true, false);
  // Nothing is owed: the tenth tick draws nothing.
  const auto presented = PresentCount();
  LogScrollTick(TestGame(), true);
  EXPECT_EQ(PresentCount(), presented);
}

TEST_F(BattleScreen, ThreeLinesAtOnceScrollByTheirTotal) {
  LogWith(3);
  LogScrollTick(TestGame(), true);
  EXPECT_EQ(LogScroll().Owed, 43);
  EXPECT_EQ(LogScroll().Top, 0);  // nothing passed yet
  // e = 11: seven lines from y 310; lines 7 and 8 wait below the window.
  ExpectLog(310, 7, true, false);
  // They are passed as they leave: ceil(34 / 18) = 2 lines still owed.
  LogScrollTick(TestGame(), true);
  EXPECT_EQ(LogScroll().Owed, 34);
  EXPECT_EQ(LogScroll().Top, 1);
  ExpectLog(321 - 2, 7, true, false);
}

TEST_F(BattleScreen, SkipLightsUpWhileItCanBeUsedAndVanishesOnceTheBattleIsOver) {
  EXPECT_TRUE(SameRect(ScreenLayer, BaseLayer, SkipButton));
  SkipHover(TestGame(), 0);
  EXPECT_TRUE(SkipHovered());
  EXPECT_TRUE(RectMatches(ScreenLayer, BaseLayer, SkipButton,
                          [](int, int, TPixelColor c) { return Blend(c, ColorRed); }));
  // The tick's top mask covers it; it is restored, still lit.
  LogWith(1);
  LogScrollTick(TestGame(), true);
  ExpectLog(317, 7, true, true);
  SkipLeave(TestGame(), 0);
  EXPECT_FALSE(SkipHovered());
  EXPECT_TRUE(SameRect(ScreenLayer, BaseLayer, SkipButton));
  // The battle is over: the pointer on SKIP lights nothing, and the next
  // tick leaves the button under the mask.
  Battle.SkipAllowed = false;
  SkipHover(TestGame(), 0);
  EXPECT_TRUE(SkipHovered());
  EXPECT_TRUE(SameRect(ScreenLayer, BaseLayer, SkipButton));
  LogScrollTick(TestGame(), true);
  EXPECT_TRUE(FilledWith(ScreenLayer, SkipButton, ColorBlack));
  ExpectLog(321 - 7, 7, false, false);
}

TEST_F(BattleScreen, TheFightersStandOnTheirDimmedPortraitsWithNameAndStatus) {
  const TPixelColor left = MakeColor(200, 120, 40), right = MakeColor(40, 160, 220);
  Portraits[0].Fill(left);
  Portraits[1].Fill(right);
  // Slots 0 and 1 fight: their portraits are surfaces 0 and 1.
  TSwordia& a = Tournament.Slots[0];
  TSwordia& b = Tournament.Slots[1];
  a.Name = Sj("甲");
  a.Spec = SpecOf(20, 3, 2, 1, "斬闇");
  b.Name = Sj("乙");
  b.Spec = SpecOf(15, 2, 2, 2, "衝盾");
  Battle.SwordiaA = &a;
  Battle.SwordiaB = &b;
  Battle.A = MakeFighter(a);
  Battle.B = MakeFighter(b);
  Battle.B.Stun = 2;  // a fifth status line
  PaintBattle(TestGame());
  // The right panel as it must be: the portrait at half brightness, the
  // name at (312, 12), five status lines from (312, 40) 18 apart.
  TBromBitmap e;
  CopyLayer(BaseLayer, e);
  e.FillRect(300, 0, 600, 300, Blend(right, ColorBlack));
  DrawTextAt(e, 312, 12, 16, true, ColorWhite, Battle.B.Name.Str());
  const TStringDynArray status = FighterStatus(Battle.B);
  ASSERT_EQ(status.size(), 5u);
  for (int i = 0; i < 5; ++i) DrawTextAt(e, 312, 40 + 18 * i, 14, false, ColorWhite, status[i]);
  EXPECT_TRUE(SameRect(BaseLayer, e, RightFighterRect));
  EXPECT_TRUE(ColorsEqual(BaseLayer.Pixel(290, 290), Blend(left, ColorBlack)));
  EXPECT_TRUE(HasInk(BaseLayer, TRect{12, 94, 300, 108}));     // line 4 of the left panel
  EXPECT_FALSE(HasInk(ScreenLayer, TRect{0, 300, 530, 450}));  // the log starts black
  EXPECT_TRUE(SameRect(ScreenLayer, BaseLayer, FullRect));
  // SKIP first, then the whole screen for the step.
  ASSERT_EQ(SensorRegistry.SensorCount, 2);
  const TSensor& skip = SensorRegistry.Sensors[0];
  EXPECT_EQ(skip.Rect, SkipButton);
  EXPECT_EQ(skip.OnClick, TCommandKind::BattleSkip);
  EXPECT_EQ(skip.OnEnter, static_cast<TSensorHandler>(SkipHover));
  EXPECT_EQ(skip.OnLeave, static_cast<TSensorHandler>(SkipLeave));
  const TSensor& step = SensorRegistry.Sensors[1];
  EXPECT_EQ(step.Rect, FullRect);
  EXPECT_EQ(step.OnClick, TCommandKind::BattleStep);
  EXPECT_EQ(step.OnEnter, nullptr);
  EXPECT_EQ(step.OnLeave, nullptr);
}

TEST_F(BattleScreen, TheFightersAreRepaintedAfterAStepUnlessTheLogIsOff) {
  TBromBitmap before;
  CopyLayer(ScreenLayer, before);
  Battle.A.HP = 7;
  Battle.LogOff = true;
  RefreshFighters(TestGame());
  EXPECT_TRUE(SameRect(ScreenLayer, before, FullRect));
  Battle.LogOff = false;
  const auto presented = PresentCount();
  RefreshFighters(TestGame());
  EXPECT_FALSE(SameRect(ScreenLayer, before, LeftFighterRect));
  EXPECT_TRUE(SameRect(ScreenLayer, BaseLayer, FullRect));
  EXPECT_EQ(PresentCount(), presented);  // the caller presents
}

// The lines the last click logged, as UTF-8.
Lines StepLines(const TGame& g) {
  Lines lines;
  for (const std::string& line : g.LogStore.StepLines) lines.push_back(U8(line));
  return lines;
}

TEST(BattleScreenPlay, AClickOnSkipSkipsAndAClickElsewhereSteps) {
  StartScreens();
  TBattleHarness h(TestView(), true);  // the game's own host, on the test screens
  h.Setup(1, {{"甲", "20/3/2/1/斬闇"}, {"乙", "15/2/2/2/衝盾"}});
  EnterMode(h.Game, TestShell(), gmBattle);
  RunCommand(h.Game, TestShell(), SensorClick(529, 320));  // just left of SKIP
  EXPECT_EQ(StepLines(h.Game), (Lines{"", "【第0ターン】"}));
  RunCommand(h.Game, TestShell(), SensorClick(530, 310));
  EXPECT_EQ(StepLines(h.Game), (Lines{"", "～ 略 ～", "", "-- 戦闘終了 --"}));
}

TEST(BattleScreenPlay, ALongMatchPlaysToItsEndWhileTheScrollTimerRuns) {
  StartScreens();
  TBattleHarness h(TestView(), true);  // the game's own host, on the test screens
  h.Setup(1, {{"甲", "300/1/40/8/斬斬斬斬斬"}, {"乙", "300/1/40/8/斬斬斬斬斬"}});
  EnterMode(h.Game, TestShell(), gmBattle);
  std::size_t heard = 0;
  for (int k = 0; h.Game.Mode == gmBattle && k < 100000; ++k) {
    RunCommand(h.Game, TestShell(), SensorClick(100, 100));
    heard += h.LogStore.StepLines.size();
    LogScrollTick(h.Game, h.Game.Mode == gmBattle);
  }
  EXPECT_NE(h.Game.Mode, gmBattle);
  EXPECT_GT(heard, 512u);
}

}  // namespace
