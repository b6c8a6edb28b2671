// The tournament board drawn headless: the bars and crosses of a bracket in
// progress, the champion's path, the entrant strip, the buttons and their
// guards, the growth progress in the footer, and a board without its centre
// picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <queue>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "growth/GrowthDriver.h"
#include "paint/BoardScreen.h"
#include "paint/ScreenKit.h"
#include "tests/PixelTestSupport.h"
#include "tests/TestSupport.h"

namespace {

// Where "優" and "勝" stand over the final's bars.
constexpr TRect CentreText{290, 140, 312, 180};

TPixelColor ColorOf(int k) {
  return MakeColor(40 + 6 * k, 100, 220 - 5 * k);
}

bool IsCommand(const TCommand& c, TCommandKind kind, std::int32_t tag = 0) {
  return c.Kind == kind && c.Tag == tag;
}

// The program's working folder moved to a fresh folder holding only the
// backdrop (and whatever a test adds), for the time of a test.
class TBareDataFolder {
 public:
  TBareDataFolder() : old_(std::filesystem::current_path()) {
    const std::filesystem::path folder = MakeTempFolder();
    std::filesystem::create_directories(folder / "dat");
    std::filesystem::copy_file(SourcePath("dat/back.jpg"), folder / "dat" / "back.jpg");
    std::filesystem::current_path(folder);
  }
  ~TBareDataFolder() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

class BoardScreen : public ScreenTest {
 protected:
  void SetUp() override {
    TTournament& t = game_.Tournament;
    for (int k = 0; k < SlotCount; ++k) {
      TSwordia& s = t.Slots[k];
      s.Name = Sj("剣士" + std::to_string(k));
      s.Spec = SpecOf(20, 3, 2, 1, "斬闇");
      screens_.Portraits[k].Fill(ColorOf(k));
      t.Entrants[k] = &s;
    }
    t.EntrantCount = SlotCount;
    t.Stage = 1;
    t.Hero = &t.Slots[5];
    t.HeroEdit = *t.Hero;
    backdrop_.LoadImage("dat\\back.jpg");
  }

  // The board as the game shows it, in a step of its own.
  void Paint() {
    RunGameStep(game_, shell_, [&] { ShowBoard(game_); });
  }
  // The growth's progress in the footer, presented when it drew.
  void ShowProgress(std::int32_t remaining) {
    if (ShowGrowthProgress(screens_, game_, remaining)) Present(screens_);
  }
  // A slot out after losing `stage`'s match.
  void KnockOut(int k, int stage) {
    game_.Tournament.Slots[k].InTournament = false;
    game_.Tournament.Slots[k].History.push_back(
        Sj(stage == 1 ? "第一回戦にて敗北" : "第二回戦にて敗北"));
  }
  // The strip that is the whole footer less the text row and its soft edge.
  bool FooterInvertedFrom(int x0) {
    for (int y : {410, 414, 417, 443, 449}) {
      for (int x = 0; x < 600; ++x) {
        TPixelColor b = screens_.BaseLayer.Pixel(x, y);
        if (x >= x0) b = MakeColor(255 - b.Red, 255 - b.Green, 255 - b.Blue);
        if (!ColorsEqual(screens_.ScreenLayer.Pixel(x, y), b)) return false;
      }
    }
    return true;
  }

  TBromBitmap backdrop_;
};

TEST_F(BoardScreen, AtStageOneEveryBarIsWhiteNobodyIsCrossedAndThereIsNoBuildChange) {
  TBareDataFolder bare;
  Paint();
  for (int a = 1; a <= 5; ++a) {
    for (int b = 0; b < (64 >> a); ++b) {
      EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[a][b], ColorWhite, CentreText))
          << "bar " << a << ", " << b;
    }
  }
  for (int k = 0; k < SlotCount; ++k) {
    EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[0][k], ColorOf(k))) << "slot " << k;
  }
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, backdrop_, RebuildButton));
  // The title names the stage.
  TBromBitmap e;
  CopyLayer(backdrop_, e);
  BlendRect(e, BoardTitleRect, ColorBlack);
  DrawCentredLines(e, BoardTitleRect, 16, {Sj("第一回戦")}, false, ColorWhite);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, e, BoardTitleRect));
  // START is usable: lightened, not dimmed.
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(431, 286),
                          Blend(backdrop_.Pixel(431, 286), ColorWhite)));
  // The cells, then START; no build-change region.
  ASSERT_EQ(screens_.Sensors.SensorCount, 33);
  for (int k = 0; k < SlotCount; ++k) {
    EXPECT_EQ(screens_.Sensors.Sensors[k].Rect, BracketRects[0][k]);
    EXPECT_EQ(screens_.Sensors.Sensors[k].Tag, k);
  }
  EXPECT_EQ(screens_.Sensors.Sensors[32].Rect, StartButton);
  // Slot 14's cell: j 0, k4 1, l 1, m 1, f 0.
  EXPECT_TRUE(IsCommand(SensorClick(screens_.Sensors, 150, 230), TCommandKind::ViewEntrant, 14));
  EXPECT_TRUE(IsCommand(SensorClick(screens_.Sensors, 500, 300), TCommandKind::StartRound));
}

TEST_F(BoardScreen, AfterTheFirstRoundTheWinnersBarIsRedAndTheLoserCrossedOut) {
  TBareDataFolder bare;
  game_.Tournament.Slots[0].Wins = 1;
  KnockOut(1, 1);
  game_.Tournament.Stage = 2;
  Paint();
  EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[1][0], ColorRed));
  // Bars overlap where they meet: the red one lies on top.
  EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[1][1], ColorWhite, BracketRects[1][0]));
  EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[2][0], ColorWhite, BracketRects[1][0]));
  EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[0][0], ColorOf(0)));
  // Slot 1: dimmed, with a grey cross corner to corner.
  const TRect& c = BracketRects[0][1];
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(c.Left + 20, c.Top + 2),
                          Blend(ColorOf(1), ColorBlack)));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(c.Left + 2, c.Top + 20),
                          Blend(ColorOf(1), ColorBlack)));
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{c.Left + 1, c.Top + 1},
                                                             {c.Left + 20, c.Top + 20},
                                                             {c.Right - 2, c.Bottom - 2},
                                                             {c.Right - 2, c.Top + 1},
                                                             {c.Left + 1, c.Bottom - 2}}) {
    EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(x, y), BracketGrey)) << x << ", " << y;
  }
}

TEST_F(BoardScreen, TheChampionsPathIsRedToTheCentreAndTheRunnerUpsLastBarWhite) {
  TBareDataFolder bare;
  TTournament& t = game_.Tournament;
  for (int k = 1; k < SlotCount; ++k) KnockOut(k, 1);
  t.Slots[0].Wins = 5;
  t.Slots[16].Wins = 4;
  t.Stage = EndStage;
  t.Entrants[0] = &t.Slots[0];
  t.EntrantCount = 1;
  Paint();
  for (int a = 1; a <= 5; ++a)
    EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[a][0], ColorRed)) << a;
  for (int a = 1; a <= 4; ++a) {
    EXPECT_TRUE(FilledWith(screens_.ScreenLayer, BracketRects[a][16 >> (a - 1)], ColorRed)) << a;
  }
  EXPECT_TRUE(FilledWith(screens_.ScreenLayer, TRect{302, 158, 458, 162}, ColorWhite, CentreText));
  // Red pixels lead without a break from the champion's cell to the centre.
  std::vector<bool> seen(600 * 450);
  std::queue<TPoint> todo;
  todo.push(TPoint{70, 70});
  bool reached = false;
  while (!todo.empty()) {
    const TPoint p = todo.front();
    todo.pop();
    if (p.X < 0 || p.X >= 600 || p.Y < 0 || p.Y >= 450 || seen[p.Y * 600 + p.X]) continue;
    seen[p.Y * 600 + p.X] = true;
    if (!ColorsEqual(screens_.ScreenLayer.Pixel(p.X, p.Y), ColorRed)) continue;
    if (p.X == 300 && p.Y == 160) reached = true;
    for (const TPoint n :
         {TPoint{p.X + 1, p.Y}, TPoint{p.X - 1, p.Y}, TPoint{p.X, p.Y + 1}, TPoint{p.X, p.Y - 1}})
      todo.push(n);
  }
  EXPECT_TRUE(reached);
  // The champion's title, the closing words, no START.
  TBromBitmap e;
  CopyLayer(backdrop_, e);
  BlendRect(e, BoardTitleRect, ColorBlack);
  DrawCentredLines(e, BoardTitleRect, 16, {Sj("優勝者：剣士0")}, false, ColorWhite);
  BlendRect(e, BoardFooterRect, ColorBlack);
  DrawCentredLines(e, BoardFooterRect, 20, {Sj("☆おしまエンド☆")}, true, ColorWhite);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, e, BoardTitleRect));
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, e, BoardFooterRect));
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, backdrop_, StartButton));
}

TEST_F(BoardScreen, TheProgressInvertsTheRightmostPartOfTheFooterAndDimsStart) {
  game_.Tournament.Stage = 2;
  Paint();
  ShowProgress(50);
  EXPECT_TRUE(FooterInvertedFrom(300));
  EXPECT_FALSE(FooterInvertedFrom(299));
  EXPECT_FALSE(FooterInvertedFrom(301));
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, StartButton,
                          [](int, int, TPixelColor c) { return Blend(c, ColorBlack); }));
  TBromBitmap e;
  CopyLayer(screens_.BaseLayer, e);
  DrawCentredLines(e, BoardFooterRect, 20, {Sj("成長構成思考中です……残り50％")}, false, ColorWhite);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, e, TRect{0, 410, 300, 450}));
  ShowProgress(100);
  EXPECT_TRUE(FooterInvertedFrom(0));
  ShowProgress(1);
  EXPECT_TRUE(FooterInvertedFrom(594));
  // At 0 the footer is clear and START usable again.
  ShowProgress(0);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, BoardFooterRect));
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, StartButton));
}

TEST_F(BoardScreen, WhenTheGrowthEndsStartLightsUpUnderTheRestingPointer) {
  TTournament& t = game_.Tournament;
  t.Stage = 2;
  t.EntrantCount = 2;
  t.Entrants[0] = &t.Slots[0];
  t.Entrants[1] = &t.Slots[2];
  t.Slots[2].Spec = SpecOf(15, 2, 2, 2, "衝盾");
  EnterMode(game_, shell_, gmBoard);
  StartGrowth(game_.Growth, game_.Tournament);
  Paint();
  EXPECT_TRUE(FooterInvertedFrom(0));
  Hover(500, 300);  // on START: nothing lights while the rivals grow
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, StartButton,
                          [](int, int, TPixelColor c) { return Blend(c, ColorBlack); }));
  const auto presented = PresentCount(screens_);
  int ticks = 0;
  for (; game_.Growth.Growing && ticks < 100000; ++ticks) GrowthStep(game_, shell_);
  EXPECT_FALSE(game_.Growth.Growing);
  EXPECT_GE(PresentCount(screens_) - presented, ticks);  // every slice shows on the board
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, BoardFooterRect));
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, StartButton,
                          [](int, int, TPixelColor c) { return Blend(c, ColorRed); }));
}

TEST_F(BoardScreen, StartWithPointsToSpendIsDimmedAndInert) {
  game_.Tournament.Stage = 2;
  game_.Tournament.HeroEdit.Bonus = 1;
  EnterMode(game_, shell_, gmBoard);  // the game's own board, with the game's handlers
  const auto dimmed = [](int, int, TPixelColor c) { return Blend(c, ColorBlack); };
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, StartButton, dimmed));
  Hover(500, 300);
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, StartButton, dimmed));
  RunCommand(game_, shell_, SensorClick(screens_.Sensors, 500, 300));
  EXPECT_EQ(game_.Mode, gmBoard);
  Hover(5, 5);
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, StartButton, dimmed));
  // The growth's end leaves it dimmed too.
  ShowProgress(0);
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, StartButton, dimmed));
  // With the point spent the same click starts the round.
  game_.Tournament.HeroEdit.Bonus = 0;
  game_.Tournament.EntrantCount = 2;
  EnterMode(game_, shell_, gmBoard);
  RunCommand(game_, shell_, SensorClick(screens_.Sensors, 500, 300));
  EXPECT_EQ(game_.Mode, gmBattle);
}

TEST_F(BoardScreen, TheBuildChangeShowsAndLightsUpOnlyWhileTheHeroIsIn) {
  game_.Tournament.Stage = 3;
  Paint();
  ASSERT_EQ(screens_.Sensors.SensorCount, 34);
  EXPECT_EQ(screens_.Sensors.Sensors[33].Rect, RebuildButton);
  EXPECT_FALSE(SameRect(screens_.ScreenLayer, backdrop_, RebuildButton));
  Hover(300, 300);
  EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, RebuildButton,
                          [](int, int, TPixelColor c) { return Blend(c, ColorRed); }));
  Hover(5, 5);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, RebuildButton));
  EXPECT_TRUE(IsCommand(SensorClick(screens_.Sensors, 300, 300), TCommandKind::ChangeBuild));
  // The hero is out: the region is there, the button is not, nothing lights.
  KnockOut(5, 2);
  Paint();
  ASSERT_EQ(screens_.Sensors.SensorCount, 34);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, backdrop_, RebuildButton));
  Hover(300, 300);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, backdrop_, RebuildButton));
}

TEST_F(BoardScreen, TheEntrantStripTellsHowFarTheEntrantUnderThePointerCame) {
  TTournament& t = game_.Tournament;
  t.Stage = 3;
  t.Slots[4].Wins = 2;
  t.Slots[6].Wins = 1;
  t.Slots[6].History.push_back(Sj("第一回戦にて勝利"));
  KnockOut(6, 2);  // the last line tells how it lost
  Paint();
  const struct {
    int Slot;
    const char* Third;
  } cases[] = {{7, "抽選突破"}, {4, "第二回戦突破"}, {6, "第二回戦にて敗北"}};
  for (const auto& c : cases) {
    const TRect& cell = BracketRects[0][c.Slot];
    Hover(cell.Left + 5, cell.Top + 5);
    TBromBitmap e;
    CopyLayer(screens_.BaseLayer, e);
    e.FillRect(10, 340, 70, 400, ColorOf(c.Slot));
    DrawTextAt(e, 100, 342, 16, false, ColorWhite, t.Slots[c.Slot].Name);
    DrawTextAt(e, 100, 362, 16, false, ColorWhite, Sj("20/3/2/1/斬闇"));
    DrawTextAt(e, 100, 382, 16, false, ColorWhite, Sj(c.Third));
    EXPECT_TRUE(SameRect(screens_.ScreenLayer, e, BoardInfoRect)) << c.Third;
    EXPECT_TRUE(RectMatches(screens_.ScreenLayer, screens_.BaseLayer, cell,
                            [](int, int, TPixelColor p) { return Blend(p, ColorRed); }));
  }
  Hover(5, 5);
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, screens_.BaseLayer, FullRect));
}

TEST_F(BoardScreen, TheCentrePictureIsDrawnKeyedAndTheBoardWorksWithoutIt) {
  Paint();
  TBromBitmap withPicture;
  CopyLayer(screens_.ScreenLayer, withPicture);
  TBareDataFolder bare;
  screens_.Centre = THeldPicture{};  // held once a run: the next paint reads again
  Paint();
  TBromBitmap without;
  CopyLayer(screens_.ScreenLayer, without);
  // The picture (96 x 120) stands at the bracket's centre, its key colour
  // (the top-left pixel's) left out.
  const TRect picture{252, 100, 348, 220};
  EXPECT_FALSE(SameRect(withPicture, without, picture));
  EXPECT_TRUE(ColorsEqual(withPicture.Pixel(252, 100), without.Pixel(252, 100)));
  EXPECT_TRUE(SameRect(withPicture, without, TRect{0, 0, 600, 100}));
  EXPECT_TRUE(SameRect(withPicture, without, TRect{0, 220, 600, 450}));
  // A picture that cannot be read is no picture.
  WriteWholeFile("dat/top.bmp", "BM not a picture");
  screens_.Centre = THeldPicture{};
  Paint();
  EXPECT_TRUE(SameRect(screens_.ScreenLayer, without, FullRect));
  EXPECT_EQ(screens_.Sensors.SensorCount, 33);
}

}  // namespace
