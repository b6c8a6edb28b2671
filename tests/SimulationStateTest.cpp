// Silent battles in battle states their callers own: the same results as the
// game's battle, the game's battle left alone, and the same work on any thread.
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "battle/Battle.h"
#include "data/BuildCorpus.h"
#include "game/Game.h"
#include "growth/GrowthSearch.h"
#include "rules/Random.h"
#include "tests/BattleHarness.h"

namespace {

const TBuildCorpus& Corpus() {
  static const TBuildCorpus corpus = MakeBuildCorpus(300);
  return corpus;
}

std::vector<int> ResultsInGameBattle() {
  const auto game = std::make_unique<TGame>();
  std::vector<int> results;
  for (std::size_t i = 0; i < Corpus().A.size(); ++i) {
    results.push_back(SimulateBattle(game->Battle, Corpus().A[i], Corpus().B[i]));
  }
  return results;
}

std::vector<int> ResultsInOwnBattle() {
  const auto battle = std::make_unique<TBattle>();
  std::vector<int> results;
  for (std::size_t i = 0; i < Corpus().A.size(); ++i) {
    results.push_back(SimulateBattle(*battle, Corpus().A[i], Corpus().B[i]));
  }
  return results;
}

TEST(SimulationState, AnOwnStateFightsLikeTheGamesAndLeavesItAlone) {
  const std::vector<int> expected = ResultsInGameBattle();
  // Every result code occurs, so a wrong verdict cannot hide.
  for (int code : {brFirstWins, brDraw, brSecondWins}) {
    EXPECT_NE(std::count(expected.begin(), expected.end(), code), 0) << code;
  }
  const auto game = std::make_unique<TGame>();
  TBattle& shown = game->Battle;
  shown.Turn = 7;
  shown.LogOff = false;
  EXPECT_EQ(ResultsInOwnBattle(), expected);
  EXPECT_EQ(shown.Turn, 7);
  EXPECT_FALSE(shown.LogOff);
  EXPECT_EQ(shown.A.SwordCount, 0);
}

TEST(SimulationState, FightersBuiltOnceFightEveryBattleFromTheStart) {
  const std::vector<int> expected = ResultsInGameBattle();
  const auto battle = std::make_unique<TBattle>();
  for (std::size_t i = 0; i < Corpus().A.size(); ++i) {
    TFighter a;
    TFighter b;
    SetUpFighter(a, Corpus().A[i]);
    SetUpFighter(b, Corpus().B[i]);
    // Twice each: a battle must not wear out the fighters it was given.
    EXPECT_EQ(SimulateBattle(*battle, a, b), expected[i]) << i;
    EXPECT_EQ(SimulateBattle(*battle, a, b), expected[i]) << i;
  }
}

TEST(SimulationState, ABuiltFighterIsTheFighterOfItsBuild) {
  TSwordia s;
  s.Spec = Build("30/4/2/3/導振斬魔癒星");
  const TFighter made = MakeFighter(s);
  TFighter built;
  SetUpFighter(built, Build("5/1/1/1/斬斬斬斬斬斬"));  // leftovers must not matter
  built.Stun = 3;
  SetUpFighter(built, s.Spec);
  TFighter copy;
  CopyFighter(copy, built);
  for (const TFighter* f : {&built, &copy}) {
    EXPECT_EQ(MarksOf(*f), MarksOf(made));
    EXPECT_EQ(f->HP, 30);
    EXPECT_EQ(f->Speed, 3);
    EXPECT_EQ(f->Stun, 0);
    for (int i = 0; i < f->SwordCount; ++i) {
      EXPECT_EQ(f->Swords[i].Kind, SwordKindOfMark(f->Swords[i].Mark)) << i;
      EXPECT_EQ(f->Swords[i].StartTurn, made.Swords[i].StartTurn) << i;
    }
  }
  // A mark is exactly two bytes.
  EXPECT_EQ(SwordKindOfMark(std::string(CatalogueSword(1).Mark.View()) + "x"), 0);
  EXPECT_EQ(SwordKindOfMark(CatalogueSword(1).Mark.View().substr(0, 1)), 0);
}

TEST(SimulationState, ThreadsFightTheSameBattlesAtOnce) {
  const std::vector<int> expected = ResultsInGameBattle();
  std::vector<int> first;
  std::vector<int> second;
  std::thread a([&] { first = ResultsInOwnBattle(); });
  std::thread b([&] { second = ResultsInOwnBattle(); });
  a.join();
  b.join();
  EXPECT_EQ(first, expected);
  EXPECT_EQ(second, expected);
}

TEST(SimulationState, AGrowthSearchOnAThreadIsTheSame) {
  const TSpec me = Build("15/2/0/2/導絶斬");
  const TSpec partner = Build("15/2/0/2/振斬斬斬");
  TRandom dice(4);
  const TSpec here = GrowOne(me, partner, dice);
  // The search on another thread, with dice of the same seed, grows the same.
  TSpec there;
  std::thread t([&] {
    TRandom own(4);
    there = GrowOne(me, partner, own);
  });
  t.join();
  EXPECT_EQ(there, here);
}

}  // namespace
