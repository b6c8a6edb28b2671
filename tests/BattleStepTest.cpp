// Stepping a shown battle by clicks and SKIP, the cue each click plays, and
// what a match hands back to the tournament: the match opening of later
// stages, wins, history, bonus points, the hero's story, the next match and
// the end of the round.
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "data/Tournament.h"
#include "tests/BattleHarness.h"
#include "tests/TestSupport.h"

using Lines = std::vector<std::string>;

TEST(BattleStepping, TheFirstClickOfStageOneShowsTurnZero) {
  TBattleHarness h;
  h.Setup(1, {{"甲", "20/3/2/1/斬闇"}, {"乙", "15/2/2/2/衝盾"}});
  const TClick start = h.Enter();
  EXPECT_EQ(start.Lines, (Lines{"第一回戦  1/1", "甲 vs 乙"}));
  EXPECT_TRUE(h.Battle.SkipAllowed);
  EXPECT_FALSE(h.Battle.LogOff);
  const TClick first = h.Step();
  EXPECT_EQ(first.Lines, (Lines{"", "【第0ターン】"}));
  EXPECT_EQ(first.Cue, "dat\\タ2.wav");
  EXPECT_EQ(h.Played, (Lines{"dat\\タ2.wav"}));
}

TEST(BattleStepping, TheFirstClickOfLaterStagesPutsTheNewBuildsIntoForce) {
  TBattleHarness h;
  h.Setup(2, {{"甲", "20/3/2/1/斬闇"}, {"乙", "20/0/0/0/"}}, /*heroIndex=*/0);
  h.Tournament.HeroEdit.Spec = Build("25/3/2/1/斬闇");  // the player's edited build
  h.Tournament.Hero->Bonus = 1;
  h.Tournament.GrownSpecs[1] = Build("30/1/1/1/斬");  // the rival's grown build
  EXPECT_EQ(h.Enter().Lines, (Lines{"第二回戦  1/1", "甲 vs 乙"}));
  const TClick opening = h.Step();
  EXPECT_EQ(opening.Lines, (Lines{"甲の構成が変動した！", "20/3/2/1/斬闇 ⇒ 25/3/2/1/斬闇",
                                  "乙の構成が変動した！", "20/0/0/0/ ⇒ 30/1/1/1/斬"}));
  EXPECT_EQ(opening.Cue, "dat\\ヒィン.wav");
  EXPECT_EQ(h.Tournament.Slots[0].Spec, Build("25/3/2/1/斬闇"));
  EXPECT_EQ(h.Tournament.Slots[0].Bonus, 0);
  EXPECT_EQ(h.Tournament.Slots[1].Spec, Build("30/1/1/1/斬"));
  EXPECT_EQ(h.Battle.A.MaxHP, 25);
  EXPECT_EQ(h.Battle.B.SwordCount, 1);
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第0ターン】"}));
}

TEST(BattleStepping, SkipAtTheStartShowsOnlyTheEnd) {
  TBattleHarness h;
  h.Setup(2, {{"甲", "20/3/0/1/斬"}, {"乙", "20/1/0/1/斬"}});
  h.Tournament.GrownSpecs[1] = Build("25/1/0/1/斬");
  h.Enter();
  const TClick skip = h.Skip();
  EXPECT_EQ(skip.Lines, (Lines{"", "～ 略 ～", "", "-- 戦闘終了 --"}));
  EXPECT_EQ(skip.Cue, "dat\\cap_tiron03-2.wav");
  EXPECT_FALSE(h.Battle.SkipAllowed);
  EXPECT_FALSE(h.Battle.LogOff);
  EXPECT_EQ(h.Tournament.Slots[1].Spec.MaxHP, 25);  // the silent opening still took effect
  // After the end SKIP is a plain step.
  const TClick verdict = h.Skip();
  EXPECT_EQ(verdict.Lines, (Lines{"甲の勝利！"}));
  EXPECT_EQ(verdict.Cue, "dat\\cap_von06-2.wav");
}

TEST(BattleStepping, SkipInTheMiddleRunsSilentlyToTheSameEnd) {
  const Lines shown = ShownBattle("30/3/1/2/斬衝盾", "30/2/2/1/斬鏡命");
  TBattleHarness h;
  h.Setup(1, {{"甲", "30/3/1/2/斬衝盾"}, {"乙", "30/2/2/1/斬鏡命"}});
  h.Enter();
  for (int i = 0; i < 5; ++i) h.Step();
  const TClick skip = h.Skip();
  ASSERT_EQ(skip.Lines.size(), 4u);
  EXPECT_EQ(skip.Lines[1], "～ 略 ～");
  // The verdict is the one the unskipped match reaches.
  const TClick verdict = h.Step();
  ASSERT_FALSE(verdict.Lines.empty());
  EXPECT_TRUE(HasRun(shown, {verdict.Lines.back()}));
}

TEST(BattleStepping, TheLastCueOfAClickIsTheOneItPlays) {
  // Both supports run in one execution step: the shield's cue comes last.
  TBattleHarness h;
  h.Setup(1, {{"甲", "20/1/0/1/熱"}, {"乙", "20/1/0/1/盾"}});
  h.Enter();
  for (int i = 0; i < 3; ++i) h.Step();
  const TClick both = h.Step();
  EXPECT_EQ(both.Lines, (Lines{"甲の攻撃力が1上がった！", "乙に＜シールド＞が付与された！"}));
  EXPECT_EQ(both.Cue, "dat\\popon.wav");
  EXPECT_EQ(h.Played.back(), "dat\\popon.wav");
}

TEST(BattleMatch, TheVerdictRecordsWinsHistoryAndABonusThenTheRoundEnds) {
  TBattleHarness h;
  // A name of 41 bytes: the fighter keeps 31 of them (never half a kanji),
  // the records keep the whole name.
  const std::string longName = "a一二三四五六七八九十一二三四五六七八九十";
  h.Setup(1, {{longName, "20/5/0/1/斬"}, {"乙", "10/0/0/0/"}});
  const TClick start = h.Enter();
  EXPECT_EQ(start.Lines[1], "a一二三四五六七八九十一二三四五 vs 乙");
  const Lines all = h.RunToEnd();
  EXPECT_TRUE(
      HasRun(all, {"乙は死んだ。", "", "-- 戦闘終了 --", "a一二三四五六七八九十一二三四五の勝利！",
                   longName + "は途心を1獲得した。"}));
  TSwordia& w = h.Tournament.Slots[0];
  TSwordia& l = h.Tournament.Slots[1];
  EXPECT_EQ(w.Wins, 1);
  EXPECT_EQ(w.Bonus, 1);
  EXPECT_TRUE(w.InTournament);
  EXPECT_FALSE(l.InTournament);
  EXPECT_EQ(l.Bonus, 0);
  ASSERT_EQ(w.History.size(), 1u);
  EXPECT_EQ(U8(w.History[0]), "第一回戦にて、乙を撃破");
  ASSERT_EQ(l.History.size(), 1u);
  EXPECT_EQ(U8(l.History[0]), "第一回戦にて、" + longName + "に敗北");
  // The hand-over click: the stage ends, the board shows.
  EXPECT_EQ(h.Where, TShown::Board);
  EXPECT_EQ(h.Played.back(), "dat\\ガソ.wav");
  EXPECT_EQ(h.Tournament.Stage, 2);
  EXPECT_EQ(h.Tournament.EntrantCount, 1);
  EXPECT_EQ(h.Tournament.Entrants[0], &w);
}

TEST(BattleMatch, TheFinalEarnsNoBonusAndEndsTheTournament) {
  TBattleHarness h;
  h.Setup(5, {{"甲", "20/5/0/1/斬"}, {"乙", "10/0/0/0/"}});
  h.Enter();
  TClick c;
  do {
    c = h.Step();
  } while (c.Lines.empty() || c.Lines.back() != "甲の勝利！");
  EXPECT_EQ(h.Where, TShown::Battle);
  // The next click hands over at once: no bonus line, no sound of its own.
  const TClick last = h.Step();
  EXPECT_TRUE(last.Lines.empty());
  EXPECT_EQ(last.Cue, "-");
  EXPECT_EQ(h.Played.back(), "dat\\ガソ.wav");
  EXPECT_EQ(h.Where, TShown::Board);
  EXPECT_EQ(h.Tournament.Stage, 6);
  EXPECT_EQ(h.Tournament.Slots[0].Bonus, 0);
  EXPECT_EQ(h.Tournament.Slots[0].Wins, 1);
}

TEST(BattleMatch, AHeroWinShowsTheStoryAndTheRoundGoesOnWithTheNextMatch) {
  TBattleHarness h;
  h.Setup(1,
          {{"甲", "20/5/0/1/斬"}, {"乙", "10/0/0/0/"}, {"丙", "20/0/0/0/"}, {"丁", "20/5/0/1/斬"}},
          /*heroIndex=*/0);
  h.Enter();
  TClick c;
  do {
    c = h.Step();
  } while (c.Lines.empty() || c.Lines.back() != "甲は途心を1獲得した。");
  EXPECT_EQ(c.Cue, "dat\\cap_von06-2.wav");
  const std::size_t played = h.Played.size();
  const TClick toStory = h.Step();
  EXPECT_TRUE(toStory.Lines.empty());
  EXPECT_EQ(h.Where, TShown::Story);
  EXPECT_TRUE(h.Battle.ResumeAfterStory);
  EXPECT_EQ(h.Played.size(), played);  // the switch to the story plays nothing itself
  // Back from the story: match 2 of 2, not match 1 again.
  const TClick next = h.Enter();
  EXPECT_EQ(next.Lines, (Lines{"", "", "第一回戦  2/2", "丙 vs 丁"}));
  EXPECT_FALSE(h.Battle.ResumeAfterStory);
  EXPECT_EQ(h.Battle.MatchIndex, 1);
  // A rival's win goes straight on; after the last match the round ends with
  // the winners in bracket order.
  const Lines rest = h.RunToEnd();
  EXPECT_TRUE(HasRun(rest, {"丁の勝利！", "丁は途心を1獲得した。"}));
  EXPECT_EQ(h.Where, TShown::Board);
  ASSERT_EQ(h.Tournament.EntrantCount, 2);
  EXPECT_EQ(h.Tournament.Entrants[0], &h.Tournament.Slots[0]);
  EXPECT_EQ(h.Tournament.Entrants[1], &h.Tournament.Slots[3]);
  // Hero making starts from the hero as it fought, with the point it won.
  EXPECT_EQ(h.Tournament.HeroEdit.Bonus, 1);
  EXPECT_EQ(h.Tournament.HeroEdit.Wins, 1);
}

TEST(BattleMatch, ARivalWinStartsTheNextMatchWithTheNextClick) {
  TBattleHarness h;
  h.Setup(1,
          {{"甲", "20/5/0/1/斬"}, {"乙", "10/0/0/0/"}, {"丙", "20/0/0/0/"}, {"丁", "20/5/0/1/斬"}});
  h.Enter();
  TClick c;
  do {
    c = h.Step();
  } while (c.Lines.empty() || c.Lines.back() != "甲は途心を1獲得した。");
  const TClick next = h.Step();
  EXPECT_EQ(next.Lines, (Lines{"", "", "第一回戦  2/2", "丙 vs 丁"}));
  EXPECT_EQ(next.Cue, "dat\\ガソ.wav");
  EXPECT_EQ(h.Where, TShown::Battle);
  EXPECT_EQ(h.Step().Lines, (Lines{"", "【第0ターン】"}));
}

TEST(BattleStepping, AClickThatChoosesNoCuePlaysNone) {
  TBattleHarness h;
  h.Setup(5, {{"甲", "20/5/0/1/斬"}, {"乙", "10/0/0/0/"}});
  h.Enter();
  TClick c;
  do {
    c = h.Step();
  } while (c.Lines.empty() || c.Lines.back() != "甲の勝利！");
  ASSERT_EQ(h.Played.back(), "dat\\cap_von06-2.wav");
  // The final earns no point: the next click logs nothing and chooses no cue;
  // the end of the stage sounds by itself, and the verdict's cue is not heard
  // again, neither now nor on a click with nothing left to run.
  const TClick end = h.Step();
  EXPECT_TRUE(end.Lines.empty());
  EXPECT_EQ(end.Cue, "-");
  EXPECT_EQ(h.Played.back(), "dat\\ガソ.wav");
  const std::size_t played = h.Played.size();
  EXPECT_EQ(h.Step().Cue, "-");
  EXPECT_EQ(h.Played.size(), played);
}
