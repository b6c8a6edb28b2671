// The build notation and the draw of the tournament.
#include <gtest/gtest.h>

#include <set>

#include "data/Roster.h"
#include "data/Tournament.h"
#include "rules/Random.h"
#include "tests/TestGame.h"
#include "tests/TestSupport.h"

namespace {

std::string Fault(const std::string& value) {
  TSpec spec;
  std::string fault;
  EXPECT_FALSE(ParseSpecText(Sj(value), spec, fault)) << value;
  return U8(fault);
}

}  // namespace

TEST(BuildNotation, ValidBuildsParse) {
  TSpec spec;
  std::string fault;
  ASSERT_TRUE(ParseSpecText(Sj("20/3/2/1/"), spec, fault));
  EXPECT_EQ(spec.MaxHP, 20);
  EXPECT_EQ(spec.Attack, 3);
  EXPECT_EQ(spec.Defence, 2);
  EXPECT_EQ(spec.Speed, 1);
  EXPECT_TRUE(spec.Swords.empty());
  ASSERT_TRUE(ParseSpecText(Sj(" 20 / 2 /1/ 1 / 斬闇 "), spec, fault));
  EXPECT_EQ(spec.Swords, Sj("斬闇"));
  ASSERT_TRUE(ParseSpecText(Sj("-5/5/5/1/"), spec, fault));  // HP -5 is a multiple of 5
  EXPECT_EQ(spec.MaxHP, -5);
}

TEST(BuildNotation, EachFaultHasItsMessageInCheckOrder) {
  EXPECT_EQ(Fault("20/3/2/1"), "不正な記述です。スラッシュは4個でなくてはなりません。");
  EXPECT_EQ(Fault("20/3/2/1/斬/"), "不正な記述です。スラッシュは4個でなくてはなりません。");
  EXPECT_EQ(Fault("20//2/1/"), "数値記述が不正です。");
  EXPECT_EQ(Fault("20/3/2/x/"), "数値記述が不正です。");
  EXPECT_EQ(Fault("20/3/2/1 1/"), "数値記述が不正です。");
  EXPECT_EQ(Fault("99999999999/3/2/1/"), "数値記述が不正です。");
  EXPECT_EQ(Fault("21/3/2/1/刀"), "HPは5の倍数でなくてはなりません。");
  EXPECT_EQ(Fault("20/3/2/0/斬刀"), "剣の記述が不正です。");
  EXPECT_EQ(Fault("20/3/2/0/斬斬"), "途心（ボーナス合計）が10になっていません。");
}

TEST(BuildNotation, ASwordListOf21MarksIsCutTo20BeforeCounting) {
  std::string marks;
  for (int i = 0; i < 21; ++i) marks += "斬";
  TSpec spec;
  std::string fault;
  EXPECT_FALSE(ParseSpecText(Sj("0/0/0/0/" + marks), spec, fault));
  EXPECT_EQ(U8(fault), "途心（ボーナス合計）が10になっていません。");
  ASSERT_TRUE(ParseSpecText(Sj("0/-10/0/0/" + marks), spec, fault)) << U8(fault);
  EXPECT_EQ(TBromString::CharCount(spec.Swords), 20);
}

TEST(BuildNotation, HugeNumbersDoNotWrapIntoAValidTotal) {
  TSpec spec;
  std::string fault;
  EXPECT_FALSE(ParseSpecText(Sj("0/2147483647/2147483647/2/"), spec, fault));
  EXPECT_EQ(U8(fault), "途心（ボーナス合計）が10になっていません。");
}

TEST(Draw, TheHeroGetsEntryOneAndRivalsAreDistinct) {
  std::vector<TSwordia> entries(40);
  for (int i = 0; i < 40; ++i) entries[i].Name = "entry" + std::to_string(i + 1);
  std::set<int> heroSlots;
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    NewTestGame();
    TestGame().Dice.Seed(seed);
    DrawEntrants(Tournament, entries, TestGame().Dice);
    ASSERT_NE(Tournament.Hero, nullptr);
    EXPECT_EQ(Tournament.Hero->Name, "entry1");
    heroSlots.insert(static_cast<int>(Tournament.Hero - Tournament.Slots));
    std::set<std::string> names;
    for (const TSwordia& s : Tournament.Slots) names.insert(s.Name);
    EXPECT_EQ(names.size(), 32u);
  }
  EXPECT_GT(heroSlots.size(), 15u);  // the hero's slot is drawn, not fixed
}

TEST(Draw, WithExactly32EntriesEveryRivalTakesPart) {
  std::vector<TSwordia> entries(32);
  for (int i = 0; i < 32; ++i) entries[i].Name = "e" + std::to_string(i);
  NewTestGame();
  TestGame().Dice.Seed(7);
  DrawEntrants(Tournament, entries, TestGame().Dice);
  std::set<std::string> names;
  for (const TSwordia& s : Tournament.Slots) names.insert(s.Name);
  EXPECT_EQ(names.size(), 32u);
}

TEST(Random, StaysInRangeAndRepeatsForOneSeed) {
  TRandom dice(42);
  std::vector<int> first;
  for (int i = 0; i < 100; ++i) first.push_back(dice.Next(7));
  dice.Seed(42);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(dice.Next(7), first[i]);
  for (int v : first) {
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 7);
  }
  EXPECT_EQ(dice.Next(0), 0);
  EXPECT_EQ(dice.Next(-3), 0);
  EXPECT_EQ(dice.Next(1), 0);
}
