// The game from its title, on the logic library with a game of the test's
// own: a broken roster, the game start and its draw, the order of matches,
// what wins and losses lead to, and the end of the tournament, played
// through the game's steps.
#include <gtest/gtest.h>

#include <set>

#include "battle/Battle.h"
#include "battle/Stepping.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "growth/GrowthDriver.h"
#include "rules/Cues.h"
#include "rules/Product.h"
#include "tests/GameTestSupport.h"
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

class GameFlow : public GameInFolder {
 protected:
  void SetUp() override {
    GameInFolder::SetUp();
    PutDataFile("story.txt", TestStory);
  }

  // From the title to the board of round 1, the hero made with `hero` as
  // hero making's decide would.
  void ReachRoundOne(const TSpec& hero) {
    StartGame();
    ASSERT_EQ(Game().Mode, gmMaking);
    TTournament& t = Game().Tournament;
    t.HeroEdit.Spec = hero;
    t.HeroEdit.Bonus = 0;
    *t.Hero = t.HeroEdit;
    EnterMode(Game(), Shell(), gmStory);
    ASSERT_EQ(CaptionU8(), "Prologue");
    Click(TCommandKind::CloseStory);
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
    EnterMode(Game(), Shell(), gmBoard);
  }

  int HeroSlot() const {
    return static_cast<int>(Game().Tournament.Hero - Game().Tournament.Slots);
  }
};

// The game start and the draw ---------------------------------------------------------

TEST_F(GameFlow, ABrokenRosterIsShownFromTheTitleAndEndsTheProgram) {
  PutDataFile("swordia.txt", RosterOf(31));
  OpenGame();
  StartGame();
  EXPECT_EQ(cues_.Played.size(), 1u);
  ASSERT_EQ(messages_.Texts.size(), 1u);
  EXPECT_EQ(messages_.Captions[0], ProgramTitle);
  EXPECT_FALSE(messages_.Texts[0].empty());
  // The window's loop ends.
  EXPECT_TRUE(quit_);
  EXPECT_TRUE(Game().LoadFailed);
  // The game did not start: still the title, no hero, no entrants.
  EXPECT_EQ(Game().Mode, gmTitle);
  EXPECT_EQ(Game().Tournament.Hero, nullptr);
  EXPECT_EQ(Game().Tournament.EntrantCount, 0);
}

TEST_F(GameFlow, TheGameStartResetsTheHeroAndEntersEverySlot) {
  OpenGame();
  StartGame();
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
    OpenGame(seed);
    StartGame();
    const TTournament& t = Game().Tournament;
    ASSERT_NE(t.Hero, nullptr);
    EXPECT_EQ(t.Hero->Name, EntrantName(1));
    heroSlots.insert(HeroSlot());
    std::multiset<std::string> rivals;
    for (int k = 0; k < 32; ++k) {
      if (&t.Slots[k] != t.Hero) rivals.insert(t.Slots[k].Name);
    }
    for (int n = 2; n <= 32; ++n) EXPECT_EQ(rivals.count(EntrantName(n)), 1u) << n;
  }
  EXPECT_GT(heroSlots.size(), 3u);
}

TEST_F(GameFlow, ADrawFrom45EntriesTakesDistinctRivalsFromEntriesTwoOn) {
  PutDataFile("swordia.txt", RosterOf(45));
  std::set<std::string> everPicked;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    OpenGame(seed);
    StartGame();
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
  }
  // Every entry 2..45 can be drawn, and nothing else.
  std::set<std::string> expected;
  for (int n = 2; n <= 45; ++n) expected.insert(EntrantName(n));
  for (const std::string& name : everPicked) EXPECT_EQ(expected.count(name), 1u) << U8(name);
  EXPECT_GT(everPicked.size(), 31u);
}

// Playing the rounds -----------------------------------------------------------------------

TEST_F(GameFlow, TheHerosLossTellsNoStoryAndTheRoundPlaysOnInBracketOrder) {
  OpenGame();
  ReachRoundOne(Weak());
  TTournament& t = Game().Tournament;
  // The hero's opponent cannot lose.
  TSwordia& opponent = t.Slots[HeroSlot() ^ 1];
  opponent.Spec = Strong();
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  ASSERT_EQ(Game().Mode, gmBattle);
  // Every match in bracket order: match m is entrant 2m against 2m + 1.
  std::vector<std::pair<TSwordia*, TSwordia*>> played;
  for (int click = 0; click < 20000 && Game().Mode == gmBattle; ++click) {
    const int m = Game().Battle.MatchIndex;
    if (static_cast<int>(played.size()) == m)
      played.emplace_back(Game().Battle.SwordiaA, Game().Battle.SwordiaB);
    RunCommand(Game(), Shell(), {TCommandKind::BattleSkip, 0});
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
  RunGameStep(Game(), Shell(), [&] { ChangeBuild(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmBoard);
  // The start waits for the growth, then works.
  ASSERT_TRUE(Game().Growth.Growing);
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(cues_.Played.size(), cues);
  for (int tick = 0; tick < 100000 && Game().Growth.Growing; ++tick)
    GrowthTick(Game().Growth, Game().Tournament, Game().Dice);
  ASSERT_FALSE(Game().Growth.Growing);
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmBattle);
  EXPECT_EQ(cues_.Played.size(), cues + 1);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
}

TEST_F(GameFlow, TheHerosRoundOneWinTellsStageOneAndThenTheNextMatchFollows) {
  OpenGame(3);
  ReachRoundOne(Strong());
  TTournament& t = Game().Tournament;
  if (HeroSlot() >= 30) MoveHeroToSlot(0);
  const int heroMatch = HeroSlot() / 2;
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  // Up to the hero's win; the switch to the story plays no cue of its own.
  while (Game().Mode == gmBattle) {
    const std::size_t before = cues_.Played.size();
    RunCommand(Game(), Shell(), {TCommandKind::BattleSkip, 0});
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
  Click(TCommandKind::CloseStory);
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
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmBoard);
  RunGameStep(Game(), Shell(), [&] { ChangeBuild(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmMaking);
}

// Each mode change as the listener hears it, with whether a handler was
// still running: "story+" is the story entered with none running.
std::vector<std::string> heard;
class THear : public TGameListener {
 public:
  void ModeChanged(const TGame& g, TGameMode m, bool entered) override {
    const char* const words[] = {"title", "making", "story", "board", "view", "battle"};
    heard.push_back(std::string(words[m]) + (entered ? "." : "") + (g.Running == 0 ? "+" : "-"));
  }
};

TEST_F(GameFlow, WhenTheHerosMatchIsTheLastOfTheRoundTheBoardFollowsTheStory) {
  THear hear;
  listener_ = &hear;
  OpenGame(5);
  ReachRoundOne(Strong());
  MoveHeroToSlot(31);
  TTournament& t = Game().Tournament;
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  // The hero's win asks for the story; it is entered once the click is over.
  heard.clear();
  ASSERT_TRUE(PlayUntilBattleLeft());
  EXPECT_EQ(heard, (std::vector<std::string>{"story+", "story.+"}));
  ASSERT_EQ(Game().Mode, gmStory);
  EXPECT_EQ(Game().Battle.MatchIndex, 15);
  const std::size_t before = cues_.Played.size();
  heard.clear();
  Click(TCommandKind::CloseStory);
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
  OpenGame();
  ReachRoundOne(Weak());
  TTournament& t = Game().Tournament;
  const int a = HeroSlot() == 0 ? 1 : 0;
  const int b = HeroSlot() == 2 ? 3 : 2;
  SetUpStage(FinalStage, {a, b}, {Strong(), Weak()});
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  ASSERT_TRUE(PlayUntilBattleLeft());
  ASSERT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, EndStage);
  EXPECT_EQ(t.EntrantCount, 1);
  EXPECT_EQ(t.Entrants[0], &t.Slots[a]);
  EXPECT_EQ(t.Slots[a].Bonus, 0);
  EXPECT_FALSE(Game().Growth.Growing);
  EnterMode(Game(), Shell(), gmBoard);
  // The start is inert for good; portraits can still be viewed.
  const std::size_t cues = cues_.Played.size();
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(cues_.Played.size(), cues);
  RunGameStep(Game(), Shell(), [&] { ViewEntrant(Game(), a); });
  EXPECT_EQ(Game().Mode, gmView);
  Click(TCommandKind::CloseView);
  EXPECT_EQ(Game().Mode, gmBoard);
}

TEST_F(GameFlow, TheHeroWinningTheFinalIsTheChampionAfterItsStory) {
  OpenGame();
  ReachRoundOne(Weak());
  TTournament& t = Game().Tournament;
  const int rival = HeroSlot() ^ 1;
  SetUpStage(FinalStage, {std::min(HeroSlot(), rival), std::max(HeroSlot(), rival)},
             {Weak(), Weak()});
  t.HeroEdit.Spec = Strong();
  RunGameStep(Game(), Shell(), [&] { StartRound(Game(), 0); });
  ASSERT_TRUE(PlayUntilBattleLeft());
  ASSERT_EQ(Game().Mode, gmStory);
  EXPECT_EQ(CaptionU8(), "Final");
  Click(TCommandKind::CloseStory);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(t.Stage, EndStage);
  EXPECT_EQ(t.Entrants[0], t.Hero);
  EXPECT_EQ(t.Hero->Bonus, 0);
  EXPECT_EQ(t.Hero->Spec, Strong());
}

// The opponent view --------------------------------------------------------------------------

TEST_F(GameFlow, TheOpponentViewShowsTheEntrantAndItsCloseLeavesIt) {
  OpenGame();
  ReachRoundOne(Weak());
  const int k = 7;
  RunGameStep(Game(), Shell(), [&] { ViewEntrant(Game(), k); });
  ASSERT_EQ(Game().Mode, gmView);
  EXPECT_EQ(Game().Tournament.Viewed, &Game().Tournament.Slots[k]);
  // Its close, with the cue.
  const std::size_t cues = cues_.Played.size();
  Click(TCommandKind::CloseView);
  EXPECT_EQ(Game().Mode, gmBoard);
  ASSERT_EQ(cues_.Played.size(), cues + 1);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
  // Outside the view, closing it does nothing.
  EnterMode(Game(), Shell(), gmMaking);
  RunGameStep(Game(), Shell(), [&] { CloseView(Game(), 0); });
  EXPECT_EQ(Game().Mode, gmMaking);
}

}  // namespace
