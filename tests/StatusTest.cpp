// The fixed text forms of builds and fighters, and the help texts.
#include <gtest/gtest.h>

#include "data/Status.h"
#include "tests/TestSupport.h"

using Lines = std::vector<std::string>;

namespace {

TSpec Spec(int hp, int atk, int def, int spd, const char* swords) {
  return SpecOf(hp, atk, def, spd, swords);
}

Lines U8Lines(const TStringDynArray& lines) {
  Lines out;
  for (const std::string& l : lines) out.push_back(U8(l));
  return out;
}

}  // namespace

TEST(StatusTexts, BuildTextAndBuildLines) {
  EXPECT_EQ(U8(BuildText(Spec(20, 3, 2, 1, "斬闇"))), "20/3/2/1/斬闇");
  EXPECT_EQ(U8(BuildText(Spec(-5, 0, 12, 0, ""))), "-5/0/12/0/");
  // 14 swords: ten on the first line, four under them.
  EXPECT_EQ(U8Lines(BuildLines(Spec(100, 2, 1, 1, "斬闇衝毒猛戟撹盗連確絶重魔死"))),
            (Lines{"100/2/1/1/斬闇衝毒猛戟撹盗連確", "          絶重魔死"}));
  EXPECT_EQ(U8Lines(BuildLines(Spec(5, 0, 0, 0, "ソ"))), (Lines{"5/0/0/0/ソ", "        "}));
  TSwordia s;
  s.Spec = Spec(0, 0, 0, 0, "ソ表斬");  // trail bytes that look like '\\'
  EXPECT_EQ(CountSwords(s), 3);
}

TEST(StatusTexts, AFighterWithoutSwordsOrStatesHasFourLines) {
  TFighter f;
  f.MaxHP = 20;
  f.HP = 20;
  f.Attack = 3;
  f.Defence = 2;
  f.Speed = 1;
  EXPECT_EQ(U8Lines(FighterStatus(f)),
            (Lines{"[HP] 20/20  [攻] 3  [防] 2  [早] 1  ", "[剣] ", " 　  ", "[AP] 0"}));
}

TEST(StatusTexts, FighterStatusShowsGrantsReserveAndStatesInRecordOrder) {
  TSwordia s;
  s.Spec = Spec(30, 4, 0, 2, "斬闇衝毒猛戟撹盗連確絶重魔死");
  TFighter f = MakeFighter(s);
  f.HP = -4;
  f.AP = 1;
  f.ReserveAP = 3;
  f.Swords[0].EarlyGrants = 1;
  f.Swords[0].StunGrants = 2;
  f.Swords[0].PoisonGrants = 1;
  f.Swords[11].BreakGrants = 1;
  f.Swords[11].EarlyGrants = 1;
  f.Quick = 1;
  f.Stun = 2;
  f.Poison = 7;
  f.Shield = 0;
  f.Reflect = -1;  // only counters above 0 are shown
  EXPECT_EQ(
      U8Lines(FighterStatus(f)),
      (Lines{"[HP] -4/30  [攻] 4  [防] 0  [早] 2  ", "[剣] 斬RPSS闇衝毒猛戟撹盗連確",
             " 　  絶重RD魔死", "[AP] 1  [予備AP] 3", "＜スタン2＞", "＜毒7＞", "＜クイック1＞"}));
}

TEST(StatusTexts, HelpLinesSplitAtTheBreakMarker) {
  EXPECT_EQ(U8Lines(HelpLines(0)), (Lines{"「ＨＰ」", "生命力です。０以下になると死にます。"}));
  EXPECT_EQ(U8Lines(HelpLines(1)), (Lines{"「攻撃力」", "直接攻撃の威力です。"}));
  EXPECT_EQ(U8Lines(HelpLines(2)), (Lines{"「防御力」", "直接攻撃への耐性です。"}));
  EXPECT_EQ(U8Lines(HelpLines(3)),
            (Lines{"「素早さ」", "素早さの分だけ、ターン毎にＡＰ（行動回数）が与えられます。",
                   "素早さが敵より高ければ先攻も取れます。"}));
  EXPECT_THROW(HelpLines(4), std::logic_error);
}
