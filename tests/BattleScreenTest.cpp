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
#include "tests/TestSupport.h"

namespace {

using Lines = std::vector<std::string>;

const TPixelColor Marker = MakeColor(1, 2, 3);

class BattleScreen : public ScreenTest {
 protected:
  void SetUp() override {
    // A shown battle in progress, painted.
    game_.Battle.LogOff = false;
    game_.Battle.SkipAllowed = true;
    Paint();
  }
  // The screen painted, its regions installed, presented, as the flow does.
  void Paint() {
    InstallRegions(screens_.Sensors, PaintBattle(screens_, game_));
    Present(screens_);
  }
  // The scroll timer's tick, presented when it drew.
  void Tick(bool shown) {
    if (LogScrollTick(screens_, game_, shown)) Present(screens_);
  }

  // A fresh log whose six blank lines are given texts, so that every line's
  // place shows, then `added` lines appended.
  void LogWith(int added) {
    LogClear(game_.Battle);
    for (int i = 0; i < LogViewLines; ++i)
      game_.LogStore.Lines[i] = Sj("古い行" + std::to_string(i));
    for (int i = 0; i < added; ++i) LogAppend(game_.Battle, Sj("新しい行" + std::to_string(i)));
  }

  // The log window as it must look: the store's lines from the window's top at
  // (21, top + 18 i), clipped to the window, SKIP on top while it is shown.
  void ExpectLog(int top, int count, bool skip, bool hovered) {
    TBromBitmap e;
    e.SetSize(ScreenWidth, ScreenHeight);
    e.Fill(ColorBlack);
    for (int i = 0; i < count; ++i) {
      DrawTextAt(e, 21, top + 18 * i, 14, false, ColorWhite,
                 game_.LogStore.Lines[screens_.LogScroll.Top + i]);
    }
    e.FillRect(0, 300, 600, 321, ColorBlack);
    e.FillRect(0, 429, 600, 450, ColorBlack);
    if (skip) e.CopyRect(screens_.BaseLayer, 530, 310, 60, 20, 530, 310);
    EXPECT_TRUE(RectMatches(screens_.ScreenLayer, e, LogRect,
                            [&](int x, int y, TPixelColor c) {
                              return hovered && RectContains(SkipButton, x, y) ? Blend(c, ColorRed)
                                                                               : c;
                            }))
        << "lines from y " << top;
  }
};

TEST_F(BattleScreen, RightAfterTheLogIsClearedNothingIsDrawnUntilALineComes) {
  LogClear(game_.Battle);
  FillRectSolid(screens_.ScreenLayer, LogRect, Marker);
  const auto presented = PresentCount(screens_);
  for (int i = 0; i < 5; ++i) Tick(true);
  EXPECT_EQ(PresentCount(screens_), presented);
  EXPECT_TRUE(FilledWith(screens_.ScreenLayer, LogRect, Marker));
  // A line is owed now, but only the battle screen scrolls.
  LogAppend(game_.Battle, "x");
  Tick(false);
  EXPECT_EQ(screens_.LogScroll.Owed, 18);
  EXPECT_EQ(PresentCount(screens_), presented);
  Tick(true);
  EXPECT_EQ(PresentCount(screens_), presented + 1);
  EXPECT_FALSE(FilledWith(screens_.ScreenLayer, LogRect, Marker));
}

TEST_F(BattleScreen, OneLineGlidesUpOverNineTicksAndRestsAtTheBottom) {
  LogWith(1);
  ASSERT_EQ(game_.LogStore.Lines.size(), 7u);
  // The first tick: 14 still owed, nothing passed, 4 pixels moved: seven
  // lines from y 317 to 425.
  Tick(true);
  EXPECT_EQ(screens_.LogScroll.Owed, 14);
  EXPECT_EQ(screens_.LogScroll.Top, 0);
  ExpectLog(317, 7, true, false);
  // Then 3, 3, 2, 2, 1, 1, 1 pixels further.
  const int owed[] = {11, 8, 6, 4, 3, 2, 1};
  const int tops[] = {314, 311, 309, 307, 306, 305, 304};
  for (int t = 0; t < 7; ++t) {
    Tick(true);
    EXPECT_EQ(screens_.LogScroll.Owed, owed[t]);
    EXPECT_EQ(screens_.LogScroll.Top, 0);
    ExpectLog(tops[t], 7, true, false);
  }
  // The ninth tick passes the oldest line; the new one rests at y 411.
  Tick(true);
  EXPECT_EQ(screens_.LogScroll.Owed, 0);
  ASSERT_EQ(screens_.LogScroll.Top, 1);
  ExpectLog(321, 6, true, false);
  // Nothing is owed: the tenth tick draws nothing.
  const auto presented = PresentCount(screens_);
  Tick(true);
  EXPECT_EQ(PresentCount(screens_), presented);
}

TEST_F(BattleScreen, ThreeLinesAtOnceScrollByTheirTotal) {
  LogWith(3);
  Tick(true);
  EXPECT_EQ(screens_.LogScroll.Owed, 43);
  EXPECT_EQ(screens_.LogScroll.Top, 0);  // nothing passed yet
  // e = 11: seven lines from y 310; lines 7 and 8 wait below the window.
  ExpectLog(310, 7, true, false);
  // They are passed as they leave: ceil(34 / 18) = 2 lines still owed.
  Tick(true);
  EXPECT_EQ(screens_.LogScroll.Owed, 34);
  EXPECT_EQ(screens_.LogScroll.Top, 1);
  ExpectLog(321 - 2, 7, true, false);
}

TEST_F(BattleScreen, SkipLightsUpWhileItCanBeUsedAndVanishesOnceTheBattleIsOver) {
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, SkipButton));
  SkipHover(screens_, game_, 0);
  EXPECT_TRUE(screens_.SkipHovered);
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, SkipButton,
                          [](int, int, TPixelColor c) { return Blend(c, ColorRed); }));
  // The tick's top mask covers it; it is restored, still lit.
  LogWith(1);
  Tick(true);
  ExpectLog(317, 7, true, true);
  SkipLeave(screens_, game_, 0);
  EXPECT_FALSE(screens_.SkipHovered);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, SkipButton));
  // The battle is over: the pointer on SKIP lights nothing, and the next
  // tick leaves the button under the mask.
  game_.Battle.SkipAllowed = false;
  SkipHover(screens_, game_, 0);
  EXPECT_TRUE(screens_.SkipHovered);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, SkipButton));
  Tick(true);
  EXPECT_TRUE(FilledWith(screens_.ScreenLayer, SkipButton, ColorBlack));
  ExpectLog(321 - 7, 7, false, false);
}

TEST_F(BattleScreen, TheFightersStandOnTheirDimmedPortraitsWithNameAndStatus) {
  const TPixelColor left = MakeColor(200, 120, 40), right = MakeColor(40, 160, 220);
  screens_.Portraits[0].Fill(left);
  screens_.Portraits[1].Fill(right);
  // Slots 0 and 1 fight: their portraits are surfaces 0 and 1.
  TSwordia& a = game_.Tournament.Slots[0];
  TSwordia& b = game_.Tournament.Slots[1];
  a.Name = Sj("甲");
  a.Spec = SpecOf(20, 3, 2, 1, "斬闇");
  b.Name = Sj("乙");
  b.Spec = SpecOf(15, 2, 2, 2, "衝盾");
  game_.Battle.SwordiaA = &a;
  game_.Battle.SwordiaB = &b;
  game_.Battle.A = MakeFighter(a);
  game_.Battle.B = MakeFighter(b);
  game_.Battle.B.Stun = 2;  // a fifth status line
  Paint();
  // The right panel as it must be: the portrait at half brightness, the
  // name at (312, 12), five status lines from (312, 40) 18 apart.
  TBromBitmap e;
  CopyLayer(screens_.BaseLayer, e);
  e.FillRect(300, 0, 600, 300, Blend(right, ColorBlack));
  DrawTextAt(e, 312, 12, 16, true, ColorWhite, game_.Battle.B.Name.Str());
  const TStringDynArray status = FighterStatus(game_.Battle.B);
  ASSERT_EQ(status.size(), 5u);
  for (int i = 0; i < 5; ++i) DrawTextAt(e, 312, 40 + 18 * i, 14, false, ColorWhite, status[i]);
  EXPECT_TRUE(SameRect(screens_.BaseLayer, e, RightFighterRect));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(290, 290), Blend(left, ColorBlack)));
  EXPECT_TRUE(HasInk(screens_.BaseLayer, TRect{12, 94, 300, 108}));     // line 4 of the left panel
  EXPECT_FALSE(HasInk(screens_.ScreenLayer, TRect{0, 300, 530, 450}));  // the log starts black
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, FullRect));
  // SKIP first, then the whole screen for the step.
  ASSERT_EQ(screens_.Sensors.SensorCount, 2);
  const TSensor& skip = screens_.Sensors.Sensors[0];
  EXPECT_EQ(skip.Rect, SkipButton);
  EXPECT_EQ(skip.OnClick, TCommandKind::BattleSkip);
  EXPECT_EQ(skip.OnEnter, static_cast<TSensorHandler>(SkipHover));
  EXPECT_EQ(skip.OnLeave, static_cast<TSensorHandler>(SkipLeave));
  const TSensor& step = screens_.Sensors.Sensors[1];
  EXPECT_EQ(step.Rect, FullRect);
  EXPECT_EQ(step.OnClick, TCommandKind::BattleStep);
  EXPECT_EQ(step.OnEnter, nullptr);
  EXPECT_EQ(step.OnLeave, nullptr);
}

TEST_F(BattleScreen, TheFightersAreRepaintedAfterAStepUnlessTheLogIsOff) {
  TBromBitmap before;
  CopyLayer(screens_.ScreenLayer, before);
  game_.Battle.A.HP = 7;
  game_.Battle.LogOff = true;
  RefreshFighters(screens_, game_);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, before, FullRect));
  game_.Battle.LogOff = false;
  const auto presented = PresentCount(screens_);
  RefreshFighters(screens_, game_);
  EXPECT_FALSE(SameRect(screens_.ScreenLayer, before, LeftFighterRect));
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, FullRect));
  EXPECT_EQ(PresentCount(screens_), presented);  // the caller presents
}

// The lines the last click logged, as UTF-8.
Lines StepLines(const TGame& g) {
  Lines lines;
  for (const std::string& line : g.LogStore.StepLines) lines.push_back(U8(line));
  return lines;
}

using BattleScreenPlay = ScreenTest;

TEST_F(BattleScreenPlay, AClickOnSkipSkipsAndAClickElsewhereSteps) {
  TBattleHarness h(view_, true);  // the game's own host, on the test's screens
  h.Setup(1, {{"甲", "20/3/2/1/斬闇"}, {"乙", "15/2/2/2/衝盾"}});
  EnterMode(h.Game, shell_, gmBattle);
  RunCommand(h.Game, shell_, SensorClick(screens_.Sensors, 529, 320));  // just left of SKIP
  EXPECT_EQ(StepLines(h.Game), (Lines{"", "【第0ターン】"}));
  RunCommand(h.Game, shell_, SensorClick(screens_.Sensors, 530, 310));
  EXPECT_EQ(StepLines(h.Game), (Lines{"", "～ 略 ～", "", "-- 戦闘終了 --"}));
}

TEST_F(BattleScreenPlay, ALongMatchPlaysToItsEndWhileTheScrollTimerRuns) {
  TBattleHarness h(view_, true);  // the game's own host, on the test's screens
  h.Setup(1, {{"甲", "300/1/40/8/斬斬斬斬斬"}, {"乙", "300/1/40/8/斬斬斬斬斬"}});
  EnterMode(h.Game, shell_, gmBattle);
  std::size_t heard = 0;
  for (int k = 0; h.Game.Mode == gmBattle && k < 100000; ++k) {
    RunCommand(h.Game, shell_, SensorClick(screens_.Sensors, 100, 100));
    heard += h.LogStore.StepLines.size();
    if (LogScrollTick(screens_, h.Game, h.Game.Mode == gmBattle)) Present(screens_);
  }
  EXPECT_NE(h.Game.Mode, gmBattle);
  EXPECT_GT(heard, 512u);
}

}  // namespace
