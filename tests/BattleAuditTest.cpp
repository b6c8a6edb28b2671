// Battles at the edges of what a roster allows: fighters whose numbers are far
// beyond anything the growth search makes, which the roster still accepts as
// long as the bonus total is 10.
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "tests/BattleHarness.h"
#include "tests/TestSupport.h"

using Lines = std::vector<std::string>;

namespace {

// Plays a shown stage-1 match phase by phase, at most `budget` phases; the
// lines it logged. The match must have handed over within the budget.
Lines PlayWithin(const std::string& buildA, const std::string& buildB, int budget) {
  TBattleHarness h;
  h.Setup(1, {{"甲", buildA}, {"乙", buildB}});
  h.Enter();
  int phases = 0;
  const THandOver& handOver = h.Battle.Outcome.HandOver;
  while (handOver == THandOver::None && phases < budget && RunNextPhase(h.Battle)) ++phases;
  if (handOver == THandOver::None) {
    ADD_FAILURE() << "still fighting after " << phases << " phases";
    return {};
  }
  return h.Collect().Lines;  // every line since the match start
}

}  // namespace

TEST(BattleEdges, PointsWithNothingToRunAreSpentWithoutTakingAStepEach) {
  // Speed 2,000,000,006 bought with attack -2,000,000,000: a valid roster
  // build. Its one sword runs once a turn; every other point of the turn is
  // spent on nothing, and the match must still end in reasonable time.
  const Lines alone = PlayWithin("20/-2000000000/0/2000000006/斬", "20/1/0/1/斬", 20000);
  EXPECT_EQ(TurnLines(alone, 1), (Lines{"", "甲の斬撃剣！", "乙にダメージは入らなかった！", "",
                                        "乙の斬撃剣！", "甲に1ダメージを与えた！"}));
  EXPECT_TRUE(HasRun(alone, {"甲は死んだ。", "", "-- 戦闘終了 --", "乙の勝利！"}));

  // Both sides equally fast with nothing to run act together, point by point;
  // the push one of them bought in turn 0 decides the over-turn judge.
  const Lines together = PlayWithin("20/0/0/1000000/押", "25/0/0/1000000/", 20000);
  EXPECT_EQ(TurnLines(together, 0), (Lines{"", "甲の押分剣！", "甲に＜プッシュ＞が付与された！"}));
  EXPECT_TRUE(HasRun(together, {"オーバーターンジャッジ！", "プッシュ発動！", "甲の勝利！"}));
}

TEST(BattleEdges, TheTurnSwordCanEndTheBattleInTheMiddleOfTurnTwenty) {
  // The end check after the action sees turn 21: the sword behind it never runs.
  const Lines all = ShownBattle("50/0/0/2/星斬", "45/0/0/0/", [](TGame& g) { g.Battle.Turn = 20; });
  EXPECT_TRUE(HasRun(all, {"【第20ターン】", "", "甲の星霜剣！", "ターンが21になった☆", "",
                           "-- 戦闘終了 --", "オーバーターンジャッジ！", "甲の勝利！"}));
  EXPECT_FALSE(HasRun(all, {"甲の斬撃剣！"}));
}

TEST(BattleEdges, AKnockOutBetweenTheTwoStrikesIsNoticedBeforeTheSecond) {
  const std::vector<TClick> clicks = ShownClicks(
      "20/5/0/1/連", "20/0/0/0/", [](TGame& g) { g.Battle.B.HP = 5; },
      [](TGame& g) { EXPECT_EQ(g.Battle.B.HP, -5); });  // the action went on to its end
  Lines all;
  for (const TClick& c : clicks) all.insert(all.end(), c.Lines.begin(), c.Lines.end());
  EXPECT_TRUE(HasRun(all, {"甲の連撃剣！", "乙に5ダメージを与えた！", "乙は死んだ。",
                           "乙に5ダメージを与えた！", "", "-- 戦闘終了 --"}));
  EXPECT_EQ(CueOf(clicks, "乙は死んだ。"), "dat\\break2.wav");
}

TEST(BattleEdges, AReflectedThiefRobsItsOwnHeadSword) {
  Lines all;
  for (const TClick& c : ShownClicks(
           "20/5/0/1/盗護斬", "20/0/0/0/", [](TGame& g) { g.Battle.B.Reflect = 1; },
           [](TGame& g) { EXPECT_EQ(MarksOf(g.Battle.A), "斬護"); })) {
    all.insert(all.end(), c.Lines.begin(), c.Lines.end());
  }
  // Turn 2: the thief has vanished from the list, which is 護斬 when it hits.
  EXPECT_TRUE(HasRun(all, {"甲の強盗剣！", "乙は攻撃を反射した！", "甲に4ダメージを与えた！",
                           "甲の加護剣を強奪した！"}));
}
