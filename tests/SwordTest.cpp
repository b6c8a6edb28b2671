// The shared records, the sword catalogue and the sword-list operations.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "rules/Sword.h"
#include "tests/TestSupport.h"

namespace {

TSwordia Swordsman(const char* name, int hp, int atk, int def, int spd, const char* swords) {
  TSwordia s;
  s.Name = name;
  s.Spec.MaxHP = hp;
  s.Spec.Attack = atk;
  s.Spec.Defence = def;
  s.Spec.Speed = spd;
  s.Spec.Swords = swords;
  return s;
}

std::string Marks(const TFighter& f) {
  std::string marks;
  for (int i = 0; i < f.SwordCount; ++i) marks += f.Swords[i].Mark.Str();
  return marks;
}

}  // namespace

TEST(SwordCatalogue, EveryDescriptionMatchesTheHelpTextByteForByte) {
  std::istringstream golden(ReadWholeFile(SourcePath("tests/golden/sword_descriptions.txt")));
  std::string line;
  std::getline(golden, line);
  for (int kind = 1; kind <= SwordKindCount; ++kind) {
    ASSERT_EQ(line, "== " + std::to_string(kind));
    TStringDynArray expected;
    while (std::getline(golden, line) && line.rfind("== ", 0) != 0) expected.push_back(Sj(line));
    TStringDynArray actual = {"left over from before"};
    SwordDescription(kind, actual);
    ASSERT_EQ(actual.size(), expected.size()) << "kind " << kind;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(actual[i], expected[i])
          << "kind " << kind << " line " << i << ": " << U8(actual[i]) << " vs " << U8(expected[i]);
    }
  }
}

TEST(SwordCatalogue, MarksAndNamesAreUniqueAndLookUpTheirOwnKind) {
  std::set<std::string> marks, names;
  for (int kind = 1; kind <= SwordKindCount; ++kind) {
    const TSword s = SwordByKind(kind);
    EXPECT_EQ(s.Mark.size(), 2u);
    EXPECT_EQ(s.Name.size(), 6u);
    marks.insert(s.Mark.Str());
    names.insert(s.Name.Str());
    EXPECT_EQ(SwordKindOfMark(s.Mark), kind);
    EXPECT_EQ(SwordByMark(s.Mark).Name, s.Name);
    EXPECT_EQ(s.EarlyGrants + s.PoisonGrants + s.BreakGrants + s.StunGrants, 0);
  }
  EXPECT_EQ(marks.size(), 35u);
  EXPECT_EQ(names.size(), 35u);
}

TEST(SwordCatalogue, LookAlikePoisonMarksBelongToTheirOwnKinds) {
  EXPECT_EQ(SwordByMark(Sj("毒")).Name, Sj("蟲毒剣"));
  EXPECT_EQ(SwordByMark(Sj("猛")).Name, Sj("猛毒剣"));
  EXPECT_EQ(SwordByMark(Sj("薬")).Name, Sj("毒薬剣"));
  EXPECT_EQ(SwordByMark(Sj("毒")).PoisonOnHit, 1);
  EXPECT_EQ(SwordByMark(Sj("猛")).StrongPoisonOnHit, 1);
  EXPECT_EQ(SwordByMark(Sj("薬")).SwordClass, scControl);
}

TEST(SwordCatalogue, IsSwordMarkWantsExactlyOneMark) {
  EXPECT_TRUE(IsSwordMark(Sj("斬")));
  EXPECT_TRUE(IsSwordMark(Sj("星")));
  EXPECT_FALSE(IsSwordMark(Sj("斬撃剣")));
  EXPECT_FALSE(IsSwordMark(""));
  EXPECT_FALSE(IsSwordMark(Sj("斬 ")));
  EXPECT_FALSE(IsSwordMark(Sj("斬斬")));
  EXPECT_FALSE(IsSwordMark(Sj("刀")));
  EXPECT_THROW(SwordByMark(Sj("刀")), std::logic_error);
  EXPECT_THROW(SwordByKind(0), std::logic_error);
  EXPECT_THROW(SwordByKind(36), std::logic_error);
}

TEST(SwordCatalogue, RecordsCarryTheirRuleFields) {
  const TSword death = SwordByKind(swDeath);
  EXPECT_EQ(death.StartTurn, 6);
  EXPECT_TRUE(death.Limited);
  EXPECT_EQ(death.DamageBase, dbTargetHP);
  EXPECT_TRUE(death.IgnoreDefence);
  const TSword sure = SwordByKind(swSure);
  EXPECT_EQ(sure.DamageScale, dsHalfDown);
  EXPECT_TRUE(sure.IgnoreDefence);
  EXPECT_EQ(SwordByKind(swMagic).DamageScale, dsHalfUp);
  EXPECT_EQ(SwordByKind(swHeavy).DamageScale, dsDouble);
  EXPECT_TRUE(SwordByKind(swCombo).DoubleStrike);
  EXPECT_TRUE(SwordByKind(swDarkness).IgnoreGuards);
  EXPECT_EQ(SwordByKind(swRequiem).DamageBase, dbPowerOfTurn);
  EXPECT_EQ(SwordByKind(swRage).Condition, cdCrisis);
  EXPECT_EQ(SwordByKind(swCure).Condition, cdSymptom);
  EXPECT_EQ(SwordByKind(swGuide).StartTurn, 0);
  EXPECT_EQ(SwordByKind(swRobbery).StealOnHit, 1);
  EXPECT_EQ(SwordByKind(swConfusion).ReverseOnHit, 1);
  EXPECT_EQ(SwordByKind(swClash).SpendOnHit, 1);
  EXPECT_EQ(SwordByKind(swImpact).StunOnHit, 1);
  EXPECT_EQ(SwordByKind(swStarFrost).SwordClass, scEnvironment);
}

TEST(Fighter, IsBuiltFromTheSwordsmansBuild) {
  TSwordia s = Swordsman("a", 20, 3, 2, 1, Sj("斬闇薬").c_str());
  const TFighter f = MakeFighter(s);
  EXPECT_EQ(f.Name, std::string_view("a"));
  EXPECT_EQ(f.MaxHP, 20);
  EXPECT_EQ(f.HP, 20);
  EXPECT_EQ(f.Attack, 3);
  EXPECT_EQ(f.Defence, 2);
  EXPECT_EQ(f.Speed, 1);
  EXPECT_EQ(f.AP + f.ReserveAP + f.Stun + f.Poison + f.Quick, 0);
  EXPECT_FALSE(f.Dead);
  EXPECT_EQ(f.SwordCount, 3);
  EXPECT_EQ(Marks(f), Sj("斬闇薬"));
}

TEST(Fighter, NameIsCutTo32BytesNeverInsideACharacter) {
  // 31 ASCII bytes then a kanji: the kanji would straddle byte 32, so it goes.
  std::string name(31, 'x');
  name += Sj("剣");
  const TFighter f = MakeFighter(Swordsman(name.c_str(), 0, 0, 0, 0, ""));
  EXPECT_EQ(f.Name.View(), std::string(31, 'x'));
  std::string even = Sj("一二三四五六七八九十一二三四五六七");  // 34 bytes
  EXPECT_EQ(MakeFighter(Swordsman(even.c_str(), 0, 0, 0, 0, "")).Name.View(), even.substr(0, 32));
}

TEST(Fighter, TwentyMarksFillTheWholeList) {
  std::string marks;
  for (int i = 0; i < 20; ++i) marks += SwordByKind(1 + i % 35).Mark.Str();
  TSwordia s = Swordsman("a", 0, 0, 0, 0, marks.c_str());
  EXPECT_EQ(s.Spec.Swords.size(), 40u);
  const TFighter f = MakeFighter(s);
  EXPECT_EQ(f.SwordCount, 20);
  EXPECT_EQ(Marks(f), marks);
}

TEST(SwordList, OperationsOnAnEmptyListFindAndChangeNothing) {
  TFighter f = MakeFighter(Swordsman("a", 0, 0, 0, 0, ""));
  EXPECT_EQ(FirstUnusedSword(f), -1);
  RemoveSword(f, 0);
  ReverseSwords(f);
  EXPECT_EQ(f.SwordCount, 0);
  EXPECT_EQ(NextPosition(f, 0, true), -1);
  EXPECT_EQ(NextPosition(f, 0, false), -1);
}

TEST(SwordList, ReverseKeepsTheMiddleOfAnOddListAndLeavesOneAlone) {
  TFighter one = MakeFighter(Swordsman("a", 0, 0, 0, 0, Sj("斬").c_str()));
  ReverseSwords(one);
  EXPECT_EQ(Marks(one), Sj("斬"));
  TFighter odd = MakeFighter(Swordsman("a", 0, 0, 0, 0, Sj("斬闇衝毒猛").c_str()));
  ReverseSwords(odd);
  EXPECT_EQ(Marks(odd), Sj("猛毒衝闇斬"));
  TFighter even = MakeFighter(Swordsman("a", 0, 0, 0, 0, Sj("斬闇衝毒").c_str()));
  ReverseSwords(even);
  EXPECT_EQ(Marks(even), Sj("毒衝闇斬"));
}

TEST(SwordList, RemoveAppendAndFirstUnusedKeepTheOrderOfTheRest) {
  TFighter f = MakeFighter(Swordsman("a", 0, 0, 0, 0, Sj("斬闇衝").c_str()));
  UseSword(f, 0);
  EXPECT_EQ(FirstUnusedSword(f), 1);
  RemoveSword(f, 1);
  EXPECT_EQ(Marks(f), Sj("斬衝"));
  EXPECT_TRUE(AppendSword(f, SwordByMark(Sj("星"))));
  EXPECT_EQ(Marks(f), Sj("斬衝星"));
  RemoveSword(f, 2);
  EXPECT_EQ(Marks(f), Sj("斬衝"));
  RemoveSword(f, 5);  // outside the list: nothing happens
  EXPECT_EQ(Marks(f), Sj("斬衝"));
  UseSword(f, 1);
  EXPECT_EQ(FirstUnusedSword(f), -1);
}

TEST(SwordList, UsedMarksMoveWithTheirSwords) {
  // The marks of a list, each followed by + when that sword is used.
  const auto usedMarks = [](const TFighter& f) {
    std::string out;
    for (int i = 0; i < f.SwordCount; ++i)
      out += f.Swords[i].Mark.Str() + (SwordUsed(f, i) ? "+" : "");
    return out;
  };
  TFighter f = MakeFighter(Swordsman("a", 0, 0, 0, 0, Sj("斬闇衝毒猛").c_str()));
  UseSword(f, 1);
  UseSword(f, 3);
  RemoveSword(f, 2);
  EXPECT_EQ(usedMarks(f), Sj("斬闇+毒+猛"));
  ReverseSwords(f);
  EXPECT_EQ(usedMarks(f), Sj("猛毒+闇+斬"));
  AppendSword(f, SwordByMark(Sj("星")), true);  // a stolen sword that had run
  AppendSword(f, SwordByMark(Sj("連")));
  RemoveSword(f, 0);
  EXPECT_EQ(usedMarks(f), Sj("毒+闇+斬星+連"));
  EXPECT_EQ(FirstUnusedSword(f), 2);
}

TEST(SwordList, AppendingToAFullListLosesTheNewcomer) {
  std::string marks;
  for (int i = 0; i < 20; ++i) marks += Sj("斬");
  TFighter f = MakeFighter(Swordsman("a", 0, 0, 0, 0, marks.c_str()));
  EXPECT_FALSE(AppendSword(f, SwordByMark(Sj("星"))));
  EXPECT_EQ(f.SwordCount, 20);
  EXPECT_EQ(Marks(f), marks);
}

TEST(SwordList, NextPositionFollowsARemovedOrAKeptSword) {
  TFighter f = MakeFighter(Swordsman("a", 0, 0, 0, 0, Sj("導斬闇").c_str()));
  EXPECT_EQ(NextPosition(f, 0, false), 1);
  EXPECT_EQ(NextPosition(f, 2, false), -1);
  RemoveSword(f, 0);  // a limited sword vanishes as it runs
  EXPECT_EQ(NextPosition(f, 0, true), 0);
  EXPECT_EQ(f.Swords[0].Mark, Sj("斬"));
  RemoveSword(f, 1);
  EXPECT_EQ(NextPosition(f, 1, true), -1);
}

TEST(History, LinesNameTheStageAndTheOtherSwordsman) {
  TSwordia s;
  AddHistory(s, HistoryWinLine(Sj("第一回戦"), Sj("黒羽")));
  AddHistory(s, HistoryLossLine(Sj("第二回戦"), Sj("白露")));
  ASSERT_EQ(s.History.size(), 2u);
  EXPECT_EQ(s.History[0], Sj("第一回戦にて、黒羽を撃破"));
  EXPECT_EQ(s.History[1], Sj("第二回戦にて、白露に敗北"));
}

TEST(ShortString, KeepsAtMostItsCapacityAndCopiesByValue) {
  TShortString<6> s = "abcdefgh";
  EXPECT_EQ(s.View(), "abcdef");
  TShortString<6> t = s;
  t = "x";
  EXPECT_EQ(s.View(), "abcdef");
  EXPECT_EQ(t.View(), "x");
}
