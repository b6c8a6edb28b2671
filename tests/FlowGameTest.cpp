// The game from its title: the main window's mouse routing, the game start
// and its draw, the order of matches, what wins and losses lead to, and the
// end of the tournament — played headless through the real flow.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <set>

#include "battle/Battle.h"
#include "battle/Stepping.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "flow/Command.h"
#include "flow/Mode.h"
#include "flow/TournamentFlow.h"
#include "growth/GrowthDriver.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/Timer.h"
#include "rules/Cues.h"
#include "rules/InternalError.h"
#include "tests/FlowTestSupport.h"
#include "tests/TestSupport.h"

namespace {

// Each piece ends with an empty line before its stop, as the shipped story's
// do (the page count is kept across a stop).
const char* const TestStory =
    "@Stage0\n#Title Prologue\nthe prologue\n\n#stop\n"
    "@Stage1\n#Title Round1\nwon round one\n\n#stop\n"
    "@Stage5\n#Title Final\nwon the final\n\n#stop\n";

TSpec Strong() {
  return SpecOf(500, 30, 10, 10, "斬斬斬");
}
TSpec Weak() {
  return SpecOf(5, 0, 0, 0, "斬");
}

class GameFlow : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    PutDataFile("story.txt", TestStory);
  }

  // From the title to the board of round 1, the hero made with `hero` as
  // hero making's decide would.
  void ReachRoundOne(const TSpec& hero) {
    LeftClick(10, 10);
    ASSERT_EQ(Game().Mode, gmMaking);
    TTournament& t = Game().Tournament;
    t.HeroEdit.Spec = hero;
    t.HeroEdit.Bonus = 0;
    *t.Hero = t.HeroEdit;
    SetMode(Game(), gmStory);
    ASSERT_EQ(CaptionU8(), "Prologue");
    LeftClick(CloseButton.Left + 5, CloseButton.Top + 5);
    ASSERT_EQ(Game().Mode, gmBoard);
    ASSERT_EQ(t.Stage, 1);
  }

  // A later stage set up directly: the entrants still in are the slots
  // named, each with the grown build given.
  void SetUpStage(int stage, std::vector<int> slots, std::vector<TSpec> grown) {
    TTournament& t = Game().Tournament;
    for (TSwordia& s : t.Slots) s.InTournament = false;
    t.EntrantCount = static_cast<int>(slots.size());
    for (int i = 0; i < t.EntrantCount; ++i) {
      t.Entrants[i] = &t.Slots[slots[i]];
      t.Entrants[i]->InTournament = true;
      Game().Tournament.GrownSpecs[i] = grown[i];
    }
    t.Stage = stage;
    t.HeroEdit = *t.Hero;
    t.HeroEdit.Bonus = 0;
    SetMode(Game(), gmBoard);
  }

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

  int HeroSlot() const {
    return static_cast<int>(Game().Tournament.Hero - Game().Tournament.Slots);
  }
};

// The main window ------------------------------------------------------------------

TEST_F(GameFlow, TheTitleShowsItsPictureAndIgnoresRightClicksAndMoves) {
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
  form_->PaintBox().OnMouseDown(TMouseButton::Middle, 10, 10);
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

TEST_F(GameFlow, TheWindowScrollsTheLogEvery50MsAndGrowsTheRivalsEvery10Ms) {
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

TEST_F(GameFlow, ABrokenRosterIsShownFromTheTitleAndEndsTheProgram) {
  PutDataFile("swordia.txt", RosterOf(31));
  OpenWindow();
  LeftClick(300, 200);
  ASSERT_EQ(messages_.Texts.size(), 1u);
  EXPECT_EQ(messages_.Captions[0], ApplicationTitle());
  EXPECT_FALSE(messages_.Texts[0].empty());
  EXPECT_TRUE(TerminateRequested());
  EXPECT_TRUE(Game().LoadFailed);
  // The game did not start: still the title, no hero, no entrants.
  EXPECT_EQ(Game().Mode, gmTitle);
  EXPECT_EQ(Game().Tournament.Hero, nullptr);
  EXPECT_EQ(Game().Tournament.EntrantCount, 0);
}

TEST_F(GameFlow, AMissingOrMisfitTitlePictureIsAnInternalErrorNamingTheFile) {
  RemoveDataFile("title.bmp");
  try {
    OpenWindow();
    FAIL() << "a window without its title picture";
  } catch (const TInternalError& e) {
    EXPECT_NE(std::string(e.what()).find("UnitPaint"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("dat\\title.bmp"), std::string::npos) << e.what();
  }
  PutDataFile("title.bmp", BmpFile(300, 200, ColorWhite));
  try {
    OpenWindow();
    FAIL() << "a title picture of 300 x 200";
  } catch (const TInternalError& e) {
    EXPECT_NE(std::string(e.what()).find("not 600 x 450"), std::string::npos) << e.what();
  }
  PutDataFile("title.bmp", BmpFile(600, 450, ColorRed));
  OpenWindow();
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(599, 449), ColorRed));
}

TEST_F(GameFlow, ASecondWindowAndANewGameStartAFreshGame) {
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
  EXPECT_EQ(Game().Story->View, Game().StoryView.get());
}

// The game start and the draw ---------------------------------------------------------

TEST_F(GameFlow, TheGameStartResetsTheHeroAndEntersEverySlot) {
  OpenWindow();
  LeftClick(100, 100);
  const TTournament& t = Game().Tournament;
  ASSERT_NE(t.Hero, nullptr);
  EXPECT_EQ(t.Stage, 0);
  EXPECT_EQ(t.EntrantCount, 32);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(t.Entrants[k], &t.Slots[k]);
  // The hero: roster entry 1's name, picture and flavour, no build, 10 points.
  EXPECT_EQ(U8(t.Hero->Name), "シオン・ラーク");
  EXPECT_EQ(t.Hero->ImageFile, "hero.bmp");
  EXPECT_FALSE(t.Hero->Flavor.empty());
  EXPECT_EQ(t.Hero->Spec, TSpec());
  EXPECT_EQ(t.Hero->Bonus, 10);
  EXPECT_EQ(t.HeroEdit.Name, t.Hero->Name);
  EXPECT_EQ(t.HeroEdit.Spec, t.Hero->Spec);
  EXPECT_EQ(t.HeroEdit.Bonus, 10);
}

TEST_F(GameFlow, ADrawFromExactly32EntriesTakesEveryRivalAndTheHeroIsEntryOne) {
  PutDataFile("swordia.txt", RosterOf(32));
  std::set<int> heroSlots;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    OpenWindow(seed);
    LeftClick(5, 5);
    const TTournament& t = Game().Tournament;
    ASSERT_NE(t.Hero, nullptr);
    EXPECT_EQ(t.Hero->Name, EntrantName(1));
    heroSlots.insert(HeroSlot());
    std::multiset<std::string> rivals;
    for (int k = 0; k < 32; ++k) {
      if (&t.Slots[k] != t.Hero) rivals.insert(t.Slots[k].Name);
    }
    for (int n = 2; n <= 32; ++n) EXPECT_EQ(rivals.count(EntrantName(n)), 1u) << n;
    form_.reset();
  }
  EXPECT_GT(heroSlots.size(), 3u);
}

TEST_F(GameFlow, ADrawFrom45EntriesTakesDistinctRivalsFromEntriesTwoOn) {
  PutDataFile("swordia.txt", RosterOf(45));
  std::set<std::string> everPicked;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    OpenWindow(seed);
    LeftClick(5, 5);
    const TTournament& t = Game().Tournament;
    EXPECT_EQ(t.Hero->Name, EntrantName(1));
    std::set<std::string> rivals;
    for (int k = 0; k < 32; ++k) {
      if (&t.Slots[k] == t.Hero) continue;
      EXPECT_NE(t.Slots[k].Name, EntrantName(1));
      rivals.insert(t.Slots[k].Name);
      everPicked.insert(t.Slots[k].Name);
    }
    EXPECT_EQ(rivals.size(), 31u);
    form_.reset();
  }
  // Every entry 2..45 can be drawn, and nothing else.
  std::set<std::string> expected;
  for (int n = 2; n <= 45; ++n) expected.insert(EntrantName(n));
  for (const std::string& name : everPicked) EXPECT_EQ(expected.count(name), 1u) << U8(name);
  EXPECT_GT(everPicked.size(), 31u);
}

// Playing the rounds -----------------------------------------------------------------------

TEST_F(GameFlow, TheHerosLossTellsNoStoryAndTheRoundPlaysOnInBracketOrder) {
  OpenWindow();
  ReachRoundOne(Weak());
  TTournament& t = Game().Tournament;
  // The hero's opponent cannot lose.
  TSwordia& opponent = t.Slots[HeroSlot() ^ 1];
  opponent.Spec = Strong();
  StartRound(Game(), 0);
  ASSERT_EQ(Game().Mode, gmBattle);
  // Every match in bracket order: match m is entrant 2m against 2m + 1.
  std::vector<std::pair<TSwordia*, TSwordia*>> played;
  for (int click = 0; click < 20000 && Game().Mode == gmBattle; ++click) {
    const int m = Game().Battle.MatchIndex;
    if (static_cast<int>(played.size()) == m)
      played.emplace_back(Game().Battle.SwordiaA, Game().Battle.SwordiaB);
    RunCommand(Game(), {TCommandKind::BattleSkip, 0});
    ASSERT_NE(Game().Mode, gmStory);
  }
  ASSERT_EQ(played.size(), 16u);
  for (int m = 0; m < 16; ++m) {
    EXPECT_EQ(played[m].first, &t.Slots[2 * m]) << m;
    EXPECT_EQ(played[m].second, &t.Slots[2 * m + 1]) << m;
  }
  // The round ended: the board of round 2, the hero out, growth running.
  ASSERT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, 2);
  EXPECT_EQ(t.EntrantCount, 16);
  EXPECT_FALSE(t.Hero->InTournament);
  EXPECT_EQ(CaptionU8(), "Prologue");  // no story was told
  EXPECT_EQ(t.Hero->History.size(), 1u);
  // Winners of round 1 earn a point each, losers none.
  for (const TSwordia& s : t.Slots) EXPECT_EQ(s.Bonus, s.InTournament ? 1 : 0) << U8(s.Name);
  EXPECT_EQ(t.Entrants[HeroSlot() / 2], &opponent);
  // No build change for a hero out of the tournament.
  const std::size_t cues = cues_.Played.size();
  ChangeBuild(Game(), 0);
  EXPECT_EQ(Game().Mode, gmBoard);
  // The start waits for the growth, then works.
  ASSERT_TRUE(Game().Growth.Growing);
  StartRound(Game(), 0);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(cues_.Played.size(), cues);
  for (int tick = 0; tick < 100000 && Game().Growth.Growing; ++tick)
    GrowthTick(Game().Growth, Game().Tournament, Game().Dice);
  ASSERT_FALSE(Game().Growth.Growing);
  StartRound(Game(), 0);
  EXPECT_EQ(Game().Mode, gmBattle);
  EXPECT_EQ(cues_.Played.size(), cues + 1);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
}

TEST_F(GameFlow, TheHerosRoundOneWinTellsStageOneAndThenTheNextMatchFollows) {
  OpenWindow(3);
  ReachRoundOne(Strong());
  TTournament& t = Game().Tournament;
  if (HeroSlot() >= 30) MoveHeroToSlot(0);
  const int heroMatch = HeroSlot() / 2;
  StartRound(Game(), 0);
  // Up to the hero's win; the switch to the story plays no cue of its own.
  while (Game().Mode == gmBattle) {
    const std::size_t before = cues_.Played.size();
    RunCommand(Game(), {TCommandKind::BattleSkip, 0});
    if (Game().Mode == gmStory) {
      EXPECT_EQ(cues_.Played.size(), before);
    }
  }
  ASSERT_EQ(Game().Mode, gmStory);
  EXPECT_EQ(CaptionU8(), "Round1");
  EXPECT_EQ(Game().Battle.MatchIndex, heroMatch);
  EXPECT_EQ(t.Hero->Wins, 1);
  EXPECT_EQ(t.Hero->Bonus, 1);
  // "close": the cue, and the round goes on with the next match.
  const std::size_t before = cues_.Played.size();
  LeftClick(CloseButton.Left + 1, CloseButton.Top + 1);
  EXPECT_EQ(Game().Mode, gmBattle);
  EXPECT_EQ(Game().Battle.MatchIndex, heroMatch + 1);
  EXPECT_EQ(Game().Battle.SwordiaA, t.Entrants[2 * heroMatch + 2]);
  ASSERT_EQ(cues_.Played.size(), before + 1);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
  ASSERT_TRUE(PlayUntilBattleLeft());
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, 2);
  // The point just won waits in hero making: the start is inert till spent.
  EXPECT_EQ(t.HeroEdit.Bonus, 1);
  Game().Growth = TGrowthDriver();
  StartRound(Game(), 0);
  EXPECT_EQ(Game().Mode, gmBoard);
  ChangeBuild(Game(), 0);
  EXPECT_EQ(Game().Mode, gmMaking);
}

// Each mode change as the listener hears it, with whether a handler was
// still running: "story+" is the story entered with none running.
std::vector<std::string> heard;
void Hear(const TGame& g, TGameMode m, bool entered) {
  const char* const words[] = {"title", "making", "story", "board", "view", "battle"};
  heard.push_back(std::string(words[m]) + (entered ? "." : "") + (g.Running == 0 ? "+" : "-"));
}

TEST_F(GameFlow, WhenTheHerosMatchIsTheLastOfTheRoundTheBoardFollowsTheStory) {
  OpenWindow(5);
  ReachRoundOne(Strong());
  MoveHeroToSlot(31);
  TTournament& t = Game().Tournament;
  StartRound(Game(), 0);
  // The hero's win asks for the story; it is entered once the click is over.
  heard.clear();
  Game().ModeListener = Hear;
  ASSERT_TRUE(PlayUntilBattleLeft());
  EXPECT_EQ(heard, (std::vector<std::string>{"story+", "story.+"}));
  ASSERT_EQ(Game().Mode, gmStory);
  EXPECT_EQ(Game().Battle.MatchIndex, 15);
  const std::size_t before = cues_.Played.size();
  heard.clear();
  LeftClick(CloseButton.Left + 1, CloseButton.Top + 1);
  // Straight on to the board of round 2, entered after the battle's entry
  // that asked for it: the story's cue, then the stage's.
  EXPECT_EQ(heard, (std::vector<std::string>{"battle+", "battle.+", "board+", "board.+"}));
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, 2);
  EXPECT_EQ(t.EntrantCount, 16);
  EXPECT_EQ(t.Entrants[15], t.Hero);
  EXPECT_TRUE(Game().Growth.Growing);
  ASSERT_EQ(cues_.Played.size(), before + 2);
  EXPECT_EQ(cues_.Played[before], CueTransition);
  EXPECT_EQ(cues_.Played[before + 1], CueTransition);
}

TEST_F(GameFlow, ARivalWinningTheFinalGainsNoPointAndTheTournamentStaysOver) {
  OpenWindow();
  ReachRoundOne(Weak());
  TTournament& t = Game().Tournament;
  const int a = HeroSlot() == 0 ? 1 : 0;
  const int b = HeroSlot() == 2 ? 3 : 2;
  SetUpStage(FinalStage, {a, b}, {Strong(), Weak()});
  StartRound(Game(), 0);
  ASSERT_TRUE(PlayUntilBattleLeft());
  ASSERT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, EndStage);
  EXPECT_EQ(t.EntrantCount, 1);
  EXPECT_EQ(t.Entrants[0], &t.Slots[a]);
  EXPECT_EQ(t.Slots[a].Bonus, 0);
  EXPECT_FALSE(Game().Growth.Growing);
  EXPECT_TRUE(BoardTitleReads(Sj("優勝者：") + t.Slots[a].Name));
  EXPECT_FALSE(BoardTitleReads(Sj("優勝者：") + t.Slots[b].Name));
  SetMode(Game(), gmBoard);
  // The start is inert for good; portraits can still be viewed.
  const std::size_t cues = cues_.Played.size();
  StartRound(Game(), 0);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(cues_.Played.size(), cues);
  ViewEntrant(Game(), a);
  EXPECT_EQ(Game().Mode, gmView);
  LeftClick(10, 10);
  EXPECT_EQ(Game().Mode, gmBoard);
}

TEST_F(GameFlow, TheHeroWinningTheFinalIsTheChampionAfterItsStory) {
  OpenWindow();
  ReachRoundOne(Weak());
  TTournament& t = Game().Tournament;
  const int rival = HeroSlot() ^ 1;
  SetUpStage(FinalStage, {std::min(HeroSlot(), rival), std::max(HeroSlot(), rival)},
             {Weak(), Weak()});
  t.HeroEdit.Spec = Strong();
  StartRound(Game(), 0);
  ASSERT_TRUE(PlayUntilBattleLeft());
  ASSERT_EQ(Game().Mode, gmStory);
  EXPECT_EQ(CaptionU8(), "Final");
  LeftClick(CloseButton.Left + 1, CloseButton.Top + 1);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, EndStage);
  EXPECT_EQ(t.Entrants[0], t.Hero);
  EXPECT_EQ(t.Hero->Bonus, 0);
  EXPECT_EQ(t.Hero->Spec, Strong());
  EXPECT_TRUE(BoardTitleReads(Sj("優勝者：") + t.Hero->Name));
}

// The opponent view --------------------------------------------------------------------------

TEST_F(GameFlow, TheOpponentViewShowsThePortraitAndAnyClickClosesIt) {
  OpenWindow();
  ReachRoundOne(Weak());
  const int k = 7;
  ViewEntrant(Game(), k);
  ASSERT_EQ(Game().Mode, gmView);
  EXPECT_EQ(Game().Tournament.Viewed, &Game().Tournament.Slots[k]);
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
  ViewEntrant(Game(), 0);
  LeftClick(450, 100);
  EXPECT_EQ(Game().Mode, gmBoard);
  // Outside the view, closing it does nothing.
  SetMode(Game(), gmMaking);
  CloseView(Game(), 0);
  EXPECT_EQ(Game().Mode, gmMaking);
}

}  // namespace

// The program itself ---------------------------------------------------------------------------

namespace {

// Runs the game in `folder` on the dummy video driver; returns what it wrote
// (both streams) and sets `status` to its exit status (-1: it did not exit).
std::string RunGame(const std::string& folder, const std::string& arguments, int& status) {
  const std::string command = "cd '" + folder +
                              "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 " +
                              QUILLMOOR_GAME_PATH + " " + arguments + " 2>&1";
  return RunCommand(command, status);
}

TEST_F(GameFlow, AnUnknownArgumentPrintsTheUsageAndExitsWithTwo) {
  for (const char* arguments : {"--bogus", "--scale 0", "--scale 5", "--scale", "--scale 2 x"}) {
    int status = 0;
    const std::string out = RunGame(folder_.string(), arguments, status);
    EXPECT_EQ(status, 2) << arguments;
    EXPECT_NE(out.find("usage: quillmoor [--scale N"), std::string::npos) << arguments << out;
  }
  // Asked for, the usage names every option and the full-screen key, and the
  // program ends well without opening a window.
  int status = 0;
  const std::string help = RunGame(folder_.string(), "--help", status);
  EXPECT_EQ(status, 0) << help;
  for (const char* word : {"--scale N", "--scale auto", "--gl", "--help", "F11", "QUILLMOOR_DATA"})
    EXPECT_NE(help.find(word), std::string::npos) << word;
}

TEST_F(GameFlow, WithoutItsTitlePictureTheProgramSaysWhyAndEndsWithAFault) {
  RemoveDataFile("title.bmp");
  int status = 0;
  const std::string out = RunGame(folder_.string(), "", status);
  EXPECT_EQ(status, 1) << out;
  EXPECT_NE(out.find("Quillmoor: internal error in UnitPaint"), std::string::npos) << out;
  EXPECT_NE(out.find("dat\\title.bmp"), std::string::npos) << out;
}

}  // namespace
