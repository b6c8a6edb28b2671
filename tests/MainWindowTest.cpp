// The main window itself, headless on SDL's dummy video driver: its mouse
// routing (only the left button counts, the title's click anywhere, moves
// ignored on the title), its two timers, input queued behind a roster fault,
// its title picture, a new window and a new game, and pixels it shows (the
// opponent's portrait, the champion on the board's title strip, hero
// making's dimmed decide, the board's entrant strip); and the program's
// command line.
#include <SDL.h>
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "growth/GrowthDriver.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/Path.h"
#include "present/Timer.h"
#include "rules/Cues.h"
#include "tests/FlowTestSupport.h"
#include "tests/TestSupport.h"

namespace {

class MainWindow : public GameFolder {
 protected:
  void ClickOn(const TRect& r) { LeftClick((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  void MoveOver(const TRect& r) { MoveTo((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

  // Whether the board's title strip reads `textCp932`: the strip is drawn
  // again with that text on a fresh backdrop and compared pixel for pixel.
  bool BoardTitleReads(const std::string& textCp932) {
    TBromBitmap& base = Screens().BaseLayer;
    LoadBackdrop(Screens());
    BlendRect(base, BoardTitleRect, ColorBlack);
    DrawCentredLines(base, BoardTitleRect, 16, {textCp932}, false, ColorWhite);
    for (int y = BoardTitleRect.Top; y < BoardTitleRect.Bottom; ++y) {
      for (int x = BoardTitleRect.Left; x < BoardTitleRect.Right; ++x) {
        if (!ColorsEqual(base.Pixel(x, y), Screen().Pixel(x, y))) return false;
      }
    }
    return true;
  }

  void BoardAt(int stage, const TSpec& hero, int bonus) {
    BoardAtStage(Game(), Shell(), stage, hero, bonus);
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

TEST_F(MainWindow, TheTitleShowsItsPictureAndIgnoresRightClicksAndMoves) {
  OpenWindow();
  ASSERT_EQ(Game().Mode, gmTitle);
  TBromBitmap title;
  title.LoadImage("dat\\title.bmp");
  ASSERT_EQ(Screen().Width(), 600);
  ASSERT_EQ(Screen().Height(), 450);
  for (int y = 0; y < 450; y += 7) {
    for (int x = 0; x < 600; x += 7)
      ASSERT_TRUE(ColorsEqual(Screen().Pixel(x, y), title.Pixel(x, y)));
  }
  EXPECT_EQ(Screens().Sensors.SensorCount, 0);
  // Right and middle clicks, and moves, change nothing.
  const std::int64_t presented = PresentCount(Screens());
  RightClick(300, 200);
  form_->Form().PaintBox().OnMouseDown(TMouseButton::Middle, 10, 10);
  for (int x = 0; x < 600; x += 50) MoveTo(x, x * 3 / 4);
  EXPECT_EQ(Game().Mode, gmTitle);
  EXPECT_TRUE(cues_.Played.empty());
  EXPECT_EQ(PresentCount(Screens()), presented);
  EXPECT_EQ(Game().Tournament.Hero, nullptr);
  // A left click anywhere starts the game, the cue first.
  LeftClick(599, 449);
  ASSERT_FALSE(cues_.Played.empty());
  EXPECT_EQ(cues_.Played.front(), CueTransition);
  EXPECT_EQ(Game().Mode, gmMaking);
}

TEST_F(MainWindow, TheWindowScrollsTheLogEvery50MsAndGrowsTheRivalsEvery10Ms) {
  OpenWindow();
  const std::vector<TimerEntry>& timers = form_->Timer().Entries();
  ASSERT_EQ(timers.size(), 2u);
  EXPECT_EQ(timers[0].Interval, 50);
  EXPECT_EQ(timers[1].Interval, 10);
  // The 10 ms handler is the growth's: it runs the growth to its end.
  TTournament& t = Game().Tournament;
  for (int k = 0; k < 2; ++k) t.Entrants[k] = &t.Slots[k];
  t.EntrantCount = 2;
  StartGrowth(Game().Growth, Game().Tournament);
  for (int tick = 0; tick < 100000 && Game().Growth.Growing; ++tick) timers[1].Callback();
  EXPECT_FALSE(Game().Growth.Growing);
}

TEST_F(MainWindow, InputQueuedBehindARosterFaultIsIgnoredAndOnlyTheWindowsLoopEnds) {
  PutDataFile("swordia.txt", RosterOf(31));
  OpenWindow();
  LeftClick(300, 200);
  // Input queued behind the fault's click does not start the game again.
  LeftClick(300, 200);
  form_->Form().KeyDown(TKey::Space, false);
  EXPECT_EQ(cues_.Played.size(), 1u);
  ASSERT_EQ(messages_.Texts.size(), 1u);
  EXPECT_EQ(messages_.Captions[0], ApplicationTitle());
  // The window's loop ends, not the program's.
  EXPECT_TRUE(form_->Timer().Stopping());
  EXPECT_FALSE(TerminateRequested());
}

TEST_F(MainWindow, ClosingTheWindowEndsItsOwnLoopAndInputBehindTheCloseIsIgnored) {
  OpenWindow();
  TBromForm::PumpMessages();
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = form_->Form().WindowId();
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  ASSERT_EQ(SDL_PushEvent(&close), 1) << SDL_GetError();
  TBromForm::PumpMessages();
  EXPECT_TRUE(form_->Timer().Stopping());
  EXPECT_FALSE(TerminateRequested());
  LeftClick(300, 200);
  EXPECT_EQ(Game().Mode, gmTitle);
}

TEST_F(MainWindow, AMissingOrMisfitTitlePictureIsADataFaultNamingItsRealPath) {
  RemoveDataFile("title.bmp");
  const std::string path = (folder_ / "dat" / "title.bmp").string();
  try {
    OpenWindow();
    FAIL() << "a window without its title picture";
  } catch (const TDataFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "the title picture " + path + " cannot be shown: there is no such file");
  }
  PutDataFile("title.bmp", BmpFile(300, 200, ColorWhite));
  try {
    OpenWindow();
    FAIL() << "a title picture of 300 x 200";
  } catch (const TDataFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "the title picture " + path + " is 300 x 200 pixels; it must be 600 x 450");
  }
  PutDataFile("title.bmp", BmpFile(600, 450, ColorRed));
  OpenWindow();
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(599, 449), ColorRed));
}

TEST_F(MainWindow, ASecondWindowAndANewGameStartAFreshGame) {
  OpenWindow();
  const std::size_t handlers = form_->Timer().Entries().size();
  for (const bool newWindow : {true, false}) {
    LeftClick(1, 1);
    ASSERT_EQ(Game().Mode, gmMaking);
    const TGame* old = &Game();
    if (newWindow) {
      form_.reset();
      OpenWindow();
    } else {
      form_->NewGame();
      EXPECT_NE(&Game(), old);
    }
    EXPECT_EQ(Game().Mode, gmTitle);
    EXPECT_EQ(Game().Tournament.Hero, nullptr);
    EXPECT_EQ(Game().Tournament.EntrantCount, 0);
    EXPECT_EQ(form_->Timer().Entries().size(), handlers);
    EXPECT_TRUE(form_->Timer().Started());
  }
  // The fresh game plays: its story is told after the hero is made.
  LeftClick(1, 1);
  EXPECT_EQ(Game().Mode, gmMaking);
  ASSERT_NE(Game().Story, nullptr);
  EXPECT_EQ(Game().Story->View, &Game().StoryView);
}

TEST_F(MainWindow, TheOpponentViewShowsThePortraitAndAnyClickClosesIt) {
  OpenWindow();
  LeftClick(10, 10);
  Game().Tournament.Stage = 1;
  EnterMode(Game(), Shell(), gmBoard);
  const int k = 7;
  RunGameStep(Game(), Shell(), [&] { ViewEntrant(Game(), k); });
  ASSERT_EQ(Game().Mode, gmView);
  for (int y = 0; y < 300; y += 5) {
    for (int x = 0; x < 300; x += 5) {
      ASSERT_TRUE(ColorsEqual(Screen().Pixel(x, y), Screens().Portraits[k].Pixel(x, y)))
          << x << "," << y;
    }
  }
  // A click in the flavour strip closes it, with the cue.
  MoveTo(300, 400);
  const std::size_t cues = cues_.Played.size();
  LeftClick(300, 400);
  EXPECT_EQ(Game().Mode, gmBoard);
  ASSERT_EQ(cues_.Played.size(), cues + 1);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
  // And anywhere else.
  RunGameStep(Game(), Shell(), [&] { ViewEntrant(Game(), 0); });
  LeftClick(450, 100);
  EXPECT_EQ(Game().Mode, gmBoard);
}

TEST_F(MainWindow, AfterTheFinalTheBoardsTitleStripNamesTheChampion) {
  OpenWindow();
  LeftClick(10, 10);
  TTournament& t = Game().Tournament;
  t.Stage = EndStage;
  t.EntrantCount = 1;
  for (const int champion : {2, 3}) {
    t.Entrants[0] = &t.Slots[champion];
    EnterMode(Game(), Shell(), gmBoard);
    EXPECT_TRUE(BoardTitleReads(Sj("優勝者：") + t.Slots[champion].Name));
    EXPECT_FALSE(BoardTitleReads(Sj("優勝者：") + t.Slots[champion ^ 1].Name));
  }
}

TEST_F(MainWindow, HeroMakingShowsItsRegionsWithDecideDimmed) {
  OpenWindow();
  LeftClick(10, 10);
  ASSERT_EQ(Game().Mode, gmMaking);
  EXPECT_EQ(Screens().Sensors.SensorCount, 63);
  // The window shows the screen as painted, decide dimmed.
  const TPoint p{DecideButton.Left + 1, DecideButton.Top + 1};
  const TPixelColor base = Screens().BaseLayer.Pixel(p.X, p.Y);
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(p.X, p.Y),
                          MakeColor(base.Red / 2, base.Green / 2, base.Blue / 2)));
}

TEST_F(MainWindow, AfterDecideAtStageTwoTheBoardStillShowsTheOldBuild) {
  PutDataFile("story.txt", "@Stage0\n#Title Prologue\nthe prologue\n\n#stop\n");
  OpenWindow();
  LeftClick(10, 10);
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

// The program itself ---------------------------------------------------------------------------

namespace {

using Program = GameFolder;

// Runs the game in `folder` on the dummy video driver; returns what it wrote
// (both streams) and sets `status` to its exit status (-1: it did not exit).
std::string RunGame(const std::string& folder, const std::string& arguments, int& status) {
  const std::string command = "cd '" + folder +
                              "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 " +
                              QUILLMOOR_GAME_PATH + " " + arguments + " 2>&1";
  return RunCommand(command, status);
}

TEST_F(Program, AnUnknownArgumentPrintsTheUsageAndExitsWithTwo) {
  for (const char* arguments : {"--bogus", "--scale 0", "--scale 5", "--scale", "--scale 2 x"}) {
    int status = 0;
    const std::string out = RunGame(folder_.string(), arguments, status);
    EXPECT_EQ(status, 2) << arguments;
    EXPECT_NE(out.find("(see quillmoor --help)"), std::string::npos) << arguments << out;
  }
  // Asked for, the usage names every option and the full-screen key, and the
  // program ends well without opening a window.
  int status = 0;
  const std::string help = RunGame(folder_.string(), "--help", status);
  EXPECT_EQ(status, 0) << help;
  for (const char* word : {"--scale N", "--scale auto", "--gl", "--help", "F11", "QUILLMOOR_DATA"})
    EXPECT_NE(help.find(word), std::string::npos) << word;
}

TEST_F(Program, WithoutItsTitlePictureTheProgramSaysWhyAndEndsWithAFault) {
  RemoveDataFile("title.bmp");
  int status = 0;
  const std::string out = RunGame(folder_.string(), "", status);
  EXPECT_EQ(status, 1) << out;
  // Without it the folder is not the game's data folder.
  EXPECT_NE(out.find("(the working folder): dat/title.bmp is missing"), std::string::npos) << out;
  EXPECT_EQ(out.find("internal error"), std::string::npos) << out;
}

}  // namespace
