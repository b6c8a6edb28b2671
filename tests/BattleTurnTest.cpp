// The turn loop of a battle: who acts when, the states of the turn start,
// knock-out and revival, the end of the battle and the judgement.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>

#include "battle/Action.h"
#include "battle/Battle.h"
#include "tests/BattleHarness.h"
#include "tests/TestSupport.h"

using Lines = std::vector<std::string>;

TEST(BattleTurnOrder, EqualSpeedActsInOneStepTheFasterTakesAllItsStepsFirst) {
  // Equal speed and quick: both announce in one click, after one empty line,
  // and both strikes land in the next.
  TBattleHarness h;
  h.Setup(1, {{"甲", "20/3/0/1/斬"}, {"乙", "20/4/0/1/斬"}});
  h.Enter();
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第0ターン】"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第1ターン】"}));  // nothing runs in turn 0
  const TClick announce = h.Step();
  EXPECT_EQ(announce.Lines, (Lines{"", "甲の斬撃剣！", "乙の斬撃剣！"}));
  EXPECT_EQ(announce.Cue, "dat\\タ2.wav");
  const TClick strikes = h.Step();
  EXPECT_EQ(strikes.Lines, (Lines{"乙に3ダメージを与えた！", "甲に4ダメージを与えた！"}));
  EXPECT_EQ(strikes.Cue, "dat\\dun.wav");

  // Speed 3 against 2: all three of the faster side's steps come first.
  const Lines all = ShownBattle("50/1/0/3/斬斬斬", "50/1/0/2/斬斬");
  const Lines expected = {
      "", "甲の斬撃剣！", "乙に1ダメージを与えた！", "", "甲の斬撃剣！", "乙に1ダメージを与えた！",
      "", "甲の斬撃剣！", "乙に1ダメージを与えた！", "", "乙の斬撃剣！", "甲に1ダメージを与えた！",
      "", "乙の斬撃剣！", "甲に1ダメージを与えた！"};
  EXPECT_EQ(TurnLines(all, 1), expected);
}

TEST(BattleTurnOrder, QuickGoesBeforeSpeedAndARaisedSpeedCountsAtOnce) {
  // The slower side with more quick acts first, all its steps in a row.
  const Lines quick =
      ShownBattle("50/1/0/2/斬斬", "50/1/0/1/斬", [](TGame& g) { g.Battle.B.Quick = 1; });
  EXPECT_EQ(TurnLines(quick, 1),
            (Lines{"", "乙の斬撃剣！", "甲に1ダメージを与えた！", "", "甲の斬撃剣！",
                   "乙に1ダメージを与えた！", "", "甲の斬撃剣！", "乙に1ダメージを与えた！"}));
  // 速 makes the first side faster in the middle of the turn: it then acts
  // alone, though it began the turn level with the other.
  const Lines haste = ShownBattle("50/1/0/2/速斬", "50/1/0/2/斬斬");
  EXPECT_EQ(TurnLines(haste, 1),
            (Lines{"", "甲の加速剣！", "乙の斬撃剣！", "甲の素早さが1上がった！",
                   "甲に1ダメージを与えた！", "", "甲の斬撃剣！", "乙に1ダメージを与えた！", "",
                   "乙の斬撃剣！", "甲に1ダメージを与えた！"}));
}

TEST(BattleTurnOrder, TheReserveIsSpentOnlyOnASwordOrAStun) {
  TSwordia s;
  s.Spec.Swords = Sj("死");  // cannot run before turn 6
  TFighter f = MakeFighter(s);
  f.AP = 0;
  f.ReserveAP = 2;
  EXPECT_FALSE(CanAct(f, 1));
  f.Stun = 1;
  EXPECT_TRUE(CanAct(f, 1));
  f.Stun = 0;
  f.AP = 1;  // points of the turn are spent even without a sword
  EXPECT_TRUE(CanAct(f, 1));
  f.AP = 0;
  EXPECT_TRUE(CanAct(f, 6));

  // In play the stunned step uses the reserve and leaves the sword unused.
  const Lines all = ShownBattle("20/1/0/0/斬", "20/0/0/0/", [](TGame& g) {
    g.Battle.A.ReserveAP = 2;
    g.Battle.A.Stun = 1;
  });
  EXPECT_EQ(TurnLines(all, 0), (Lines{"", "甲はスタンで動けない！"}));
  EXPECT_EQ(TurnLines(all, 1), (Lines{"", "甲の斬撃剣！", "乙に1ダメージを与えた！"}));
}

TEST(BattleTurnStart, SleepThenStrongPoisonThenPoisonEachInItsOwnClick) {
  TBattleHarness h;
  h.Setup(1, {{"甲", "40/1/0/2/"}, {"乙", "40/1/0/1/"}});
  h.Enter();
  h.Battle.A.Sleep = 1;
  h.Battle.A.ReserveAP = 5;
  h.Battle.A.StrongPoison = 2;
  h.Battle.A.Poison = 1;
  h.Battle.B.Poison = 4;
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第0ターン】"}));
  const TClick sleep = h.Step();
  EXPECT_EQ(sleep.Lines, (Lines{"甲は眠っている。"}));
  EXPECT_EQ(sleep.Cue, "dat\\weak.wav");
  EXPECT_EQ(h.Battle.A.AP, 0);
  EXPECT_EQ(h.Battle.A.ReserveAP, 0);
  EXPECT_EQ(h.Battle.A.Sleep, 0);
  const TClick strong = h.Step();
  EXPECT_EQ(strong.Lines, (Lines{"甲の毒が2増えた。"}));
  EXPECT_EQ(strong.Cue, "dat\\dh.wav");
  const TClick poison = h.Step();
  EXPECT_EQ(poison.Lines,
            (Lines{"甲は毒により3ダメージを受けた。", "乙は毒により4ダメージを受けた。"}));
  EXPECT_EQ(poison.Cue, "dat\\dh.wav");
  EXPECT_EQ(h.Battle.A.HP, 37);
  // Poison does not wear off; strong poison keeps feeding it.
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第1ターン】"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"甲の毒が2増えた。"}));
  EXPECT_EQ(h.Step().Lines,
            (Lines{"甲は毒により5ダメージを受けた。", "乙は毒により4ダメージを受けた。"}));
  EXPECT_EQ(h.Battle.A.HP, 32);
  EXPECT_EQ(h.Battle.A.AP, 2);  // awake again
}

TEST(BattleKnockOut, PoisonAtTheStartOfTurnOneEndsTheBattleBeforeAnyAction) {
  TBattleHarness h;
  h.Setup(1, {{"甲", "20/1/0/1/斬"}, {"乙", "20/5/0/1/斬"}});
  h.Enter();
  h.Battle.A.Poison = 15;
  Lines all;
  for (int i = 0; i < 4; ++i) {
    const Lines l = h.Step().Lines;
    all.insert(all.end(), l.begin(), l.end());
  }
  EXPECT_EQ(all, (Lines{"", "【第0ターン】", "甲は毒により15ダメージを受けた。", "",
                        "【第1ターン】", "甲は毒により15ダメージを受けた。"}));
  const TClick death = h.Step();
  EXPECT_EQ(death.Lines, (Lines{"甲は死んだ。"}));
  EXPECT_EQ(death.Cue, "dat\\break2.wav");
  const TClick end = h.Step();
  EXPECT_EQ(end.Lines, (Lines{"", "-- 戦闘終了 --"}));
  EXPECT_EQ(end.Cue, "dat\\cap_tiron03-2.wav");
  const TClick verdict = h.Step();
  EXPECT_EQ(verdict.Lines, (Lines{"乙の勝利！"}));
  EXPECT_EQ(verdict.Cue, "dat\\cap_von06-2.wav");
}

TEST(BattleKnockOut, AKnockOutInTurnZeroIsNoticedRightAfterTheHeaderOfTurnOne) {
  TBattleHarness h;
  h.Setup(1, {{"甲", "20/1/0/1/"}, {"乙", "20/1/0/1/"}});
  h.Enter();
  h.Battle.B.HP = 0;
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第0ターン】"}));
  EXPECT_FALSE(h.Battle.B.Dead);
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第1ターン】"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"乙は死んだ。"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"", "-- 戦闘終了 --"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"甲の勝利！"}));
}

TEST(BattleKnockOut, SoulsAreSpentOnePassEachThenOneLife) {
  // Maximum HP 0: each soul leaves the fighter down; the life lifts it.
  TBattleHarness h;
  h.Setup(1, {{"甲", "0/1/0/0/"}, {"乙", "20/0/0/0/"}});
  h.Enter();
  h.Battle.A.Soul = 2;
  h.Battle.A.Life = 2;
  h.Step();
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第1ターン】"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"甲は死んだ。"}));
  const TClick soul = h.Step();
  EXPECT_EQ(soul.Lines, (Lines{"甲の＜ソウル＞発動、HPが0になった。"}));
  EXPECT_EQ(soul.Cue, "dat\\cap_von01-2.wav");
  EXPECT_EQ(h.Step().Lines, (Lines{"甲の＜ソウル＞発動、HPが0になった。"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"甲の＜ライフ＞発動、HPが1になった。生き返った。"}));
  EXPECT_FALSE(h.Battle.A.Dead);
  EXPECT_EQ(h.Battle.A.HP, 1);
  EXPECT_EQ(h.Battle.A.Soul, 0);
  EXPECT_EQ(h.Battle.A.Life, 1);  // one life per knock-out
  // The battle goes on.
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第2ターン】"}));

  // A soul with some maximum HP revives at once and the life is kept.
  const Lines all = ShownBattle("20/0/0/0/", "20/0/0/0/", [](TGame& g) {
    g.Battle.A.HP = -3;
    g.Battle.A.Soul = 1;
    g.Battle.A.Life = 1;
  });
  EXPECT_EQ(TurnLines(all, 1),
            (Lines{"甲は死んだ。", "甲の＜ソウル＞発動、HPが20になった。生き返った。"}));
}

TEST(BattleKnockOut, AFighterDownInTurnZeroStillActsAndIsNoticedInTurnOne) {
  // The first side is down from the start but not yet noticed: it still acts.
  const Lines all = ShownBattle("20/0/0/1/命", "20/0/0/0/", [](TGame& g) {
    g.Battle.A.HP = -1;
    g.Battle.A.Swords[0].StartTurn = 0;
  });
  EXPECT_EQ(TurnLines(all, 0), (Lines{"", "甲の命の剣！", "甲に＜ライフ＞が付与された！"}));
  // Noticed in turn 1: the life it gained meanwhile lifts it.
  EXPECT_EQ(TurnLines(all, 1),
            (Lines{"甲は死んだ。", "甲の＜ライフ＞発動、HPが1になった。生き返った。"}));
}

TEST(BattleEnd, NobodyFallsThePushDecidesAfterTurnTwenty) {
  const Lines all = ShownBattle("20/0/0/0/", "50/0/0/0/", [](TGame& g) { g.Battle.A.Push = 1; });
  EXPECT_TRUE(HasRun(all, {"", "【第20ターン】", "", "-- 戦闘終了 --", "オーバーターンジャッジ！",
                           "プッシュ発動！", "甲の勝利！", "甲は途心を1獲得した。"}));
  EXPECT_FALSE(HasRun(all, {"【第21ターン】"}));
  // Without push the higher HP wins.
  const Lines hp = ShownBattle("20/0/0/0/", "25/0/0/0/");
  EXPECT_TRUE(HasRun(hp, {"オーバーターンジャッジ！", "乙の勝利！"}));
}

TEST(BattleEnd, BothDownInOneStepIsAnOverkillDecidedByTheHigherNegativeHP) {
  TBattleHarness h;
  h.Setup(1, {{"甲", "20/5/0/1/斬"}, {"乙", "20/5/0/1/斬"}});
  h.Enter();
  h.Battle.A.HP = 1;
  h.Battle.B.HP = 2;
  for (int i = 0; i < 3; ++i) h.Step();
  EXPECT_EQ(h.Step().Lines, (Lines{"乙に5ダメージを与えた！", "甲に5ダメージを与えた！"}));
  // Both are noticed by the one death check after the strike.
  EXPECT_EQ(h.Step().Lines, (Lines{"甲は死んだ。", "乙は死んだ。"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"", "-- 戦闘終了 --"}));
  EXPECT_EQ(h.Step().Lines, (Lines{"オーバーキルジャッジ！", "乙の勝利！"}));
  EXPECT_EQ(h.Battle.A.HP, -4);
  EXPECT_EQ(h.Battle.B.HP, -3);
}

TEST(BattleEnd, EqualHPIsEvenInASimulationAndChanceInATournament) {
  EXPECT_EQ(SimulateBuilds(Build("0/0/0/0/"), Build("0/0/0/0/")), brDraw);
  EXPECT_EQ(SimulateBuilds(Build("20/1/1/1/斬"), Build("20/1/1/1/斬")), brDraw);
  std::set<std::string> winners;
  for (std::uint32_t seed = 1; seed <= 16; ++seed) {
    const Lines all = ShownBattle("20/0/0/0/", "20/0/0/0/", [&](TGame& g) { g.Dice.Seed(seed); });
    ASSERT_TRUE(HasRun(all, {"オーバーターンジャッジ！", "ＨＰ同値につき乱数で勝敗を決定！"}));
    for (const std::string& line : all) {
      if (line == "甲の勝利！" || line == "乙の勝利！") winners.insert(line);
    }
  }
  EXPECT_EQ(winners.size(), 2u);  // either side can win the draw
}

TEST(BattleSimulation, ResultCodesFollowTheWinnerAndTheLogStaysOff) {
  const auto battle = std::make_unique<TBattle>();
  EXPECT_EQ(SimulateBattle(*battle, Build("20/3/0/1/斬"), Build("20/0/0/0/")), brFirstWins);
  EXPECT_EQ(SimulateBattle(*battle, Build("20/0/0/0/"), Build("20/3/0/1/斬")), brSecondWins);
  EXPECT_EQ(SimulateBattle(*battle, Build("10/0/0/1/押"), Build("50/0/0/0/")), brFirstWins);
  EXPECT_TRUE(battle->LogOff);
  EXPECT_FALSE(battle->Simulation);
}

TEST(BattleScheduling, AFullContinuationStackIsAnInternalError) {
  TBattle b;
  b.PhaseCount = PhaseStackSize - 1;
  try {
    Engine::PostAction<TRun::Shown>(b);
    FAIL() << "no error";
  } catch (const std::logic_error& e) {
    EXPECT_NE(std::string(e.what()).find("UnitBattle"), std::string::npos);
  }
}
