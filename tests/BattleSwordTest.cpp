// What each sword does in battle: damage, on-hit effects, stealing, support,
// control and environment swords, reflection, shields, double and
// simultaneous strikes. Each case plays a shown match and looks for the
// lines the rules give, in order, and for the cue of the click that shows them.
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "tests/BattleHarness.h"
#include "tests/TestSupport.h"

using Lines = std::vector<std::string>;

namespace {

struct TSwordCase {
  const char* Title;
  const char* BuildA;
  const char* BuildB;
  TGameTouch Tweak;
  Lines Expected;    // consecutive lines of the log
  const char* Cue;   // the cue of the click that shows the last expected line
  TGameTouch Check;  // the fighters after the battle
};

void RunCases(const std::vector<TSwordCase>& cases) {
  for (const TSwordCase& c : cases) {
    SCOPED_TRACE(c.Title);
    const std::vector<TClick> clicks = ShownClicks(c.BuildA, c.BuildB, c.Tweak, c.Check);
    Lines all;
    for (const TClick& k : clicks) all.insert(all.end(), k.Lines.begin(), k.Lines.end());
    EXPECT_TRUE(HasRun(all, c.Expected)) << "first expected line: " << c.Expected.front();
    EXPECT_EQ(CueOf(clicks, c.Expected.back()), c.Cue);
  }
}

}  // namespace

TEST(BattleSwords, SupportSwordsActOnTheirOwnerWithTheirLineAndCue) {
  RunCases({
      {"熱",
       "20/1/0/1/熱",
       "20/0/0/0/",
       {},
       {"", "甲の加熱剣！", "甲の攻撃力が1上がった！"},
       "dat\\up.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Attack, 21); }},  // once in each of turns 1..20
      {"護",
       "20/1/0/1/護",
       "20/0/0/0/",
       {},
       {"甲の防御力が1上がった！"},
       "dat\\up.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Defence, 20); }},
      {"速",
       "20/1/0/1/速",
       "20/0/0/0/",
       {},
       {"甲の素早さが1上がった！"},
       "dat\\up.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Speed, 21); }},
      {"灼",
       "20/3/0/1/灼",
       "20/0/0/0/",
       {},
       {"甲の攻撃力が二倍になった！"},
       "dat\\up.wav",
       [](TGame& g) {
         EXPECT_EQ(g.Battle.A.Attack, 6);
         EXPECT_EQ(g.Battle.A.SwordCount, 0);
       }},
      {"盾",
       "20/1/0/1/盾",
       "20/0/0/0/",
       {},
       {"甲に＜シールド＞が付与された！"},
       "dat\\popon.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Shield, 20); }},
      {"命",
       "20/1/0/1/命",
       "20/0/0/0/",
       {},
       {"甲に＜ライフ＞が付与された！"},
       "dat\\popon.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Life, 1); }},
      {"魂",
       "20/1/0/1/魂",
       "20/0/0/0/",
       {},
       {"甲に＜ソウル＞が付与された！"},
       "dat\\popon.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Soul, 1); }},
      {"鏡",
       "20/1/0/1/鏡",
       "20/0/0/0/",
       {},
       {"甲に＜反射＞が付与された！"},
       "dat\\popon.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Reflect, 1); }},
      {"押",
       "20/1/0/1/押",
       "20/0/0/0/",
       {},
       {"【第0ターン】", "", "甲の押分剣！", "甲に＜プッシュ＞が付与された！"},
       "dat\\popon.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Push, 1); }},
      {"先",
       "20/1/0/1/先",
       "20/0/0/0/",
       {},
       {"甲に＜クイック＞が付与された！"},
       "dat\\popon.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Quick, 1); }},
      {"回",
       "20/1/0/1/回",
       "20/0/0/0/",
       [](TGame& g) { g.Battle.A.HP = 10; },
       {"甲のＨＰが全快した！"},
       "dat\\ヒィン.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.HP, 20); }},
      {"回 above half",
       "20/1/0/1/回",
       "20/0/0/0/",
       [](TGame& g) { g.Battle.A.HP = 11; },
       {"【第1ターン】", "", "【第2ターン】"},
       "dat\\タ2.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.SwordCount, 1); }},
      {"癒",
       "20/1/0/1/癒",
       "20/0/0/0/",
       [](TGame& g) {
         g.Battle.A.Poison = 1;
         g.Battle.A.StrongPoison = 1;
       },
       {"甲の快癒剣！", "甲の悪い状態が消え去った！"},
       "dat\\ヒィン.wav",
       [](TGame& g) {
         EXPECT_EQ(g.Battle.A.Poison, 0);
         EXPECT_EQ(g.Battle.A.StrongPoison, 0);
       }},
      {"儀",
       "20/1/0/1/儀",
       "20/0/0/0/",
       {},
       {"甲の予備APが3増えた！"},
       "dat\\up.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.ReserveAP, 3); }},
      {"臥",
       "20/1/0/1/臥",
       "20/0/0/0/",
       {},
       {"甲の臥竜剣！", "甲のHPと最大HPが10増えて＜スリープ＞が付与された！", "", "【第1ターン】",
        "甲は眠っている。"},
       "dat\\weak.wav",
       [](TGame& g) {
         EXPECT_EQ(g.Battle.A.MaxHP, 30);
         EXPECT_EQ(g.Battle.A.HP, 30);
       }},
  });
}

TEST(BattleSwords, AttackSwordsDealTheirDamage) {
  RunCases({
      {"斬",
       "20/5/0/1/斬",
       "20/0/3/0/",
       {},
       {"", "甲の斬撃剣！", "乙に2ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
      {"blocked, shield used",
       "20/5/0/1/斬",
       "20/0/7/0/",
       [](TGame& g) { g.Battle.B.Shield = 1; },
       {"乙にダメージは入らなかった！  （シールド発動）", "", "【第2ターン】", "", "甲の斬撃剣！",
        "乙にダメージは入らなかった！"},
       "dat\\kin.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.B.Shield, 0); }},
      {"確", "20/7/0/1/確", "20/0/5/0/", {}, {"乙に3ダメージを与えた！"}, "dat\\dun.wav", {}},
      {"絶",
       "20/4/0/1/絶",
       "20/0/9/0/",
       {},
       {"【第3ターン】", "", "甲の絶対剣！", "乙に4ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
      {"重",
       "20/4/0/1/重",
       "40/0/3/0/",
       [](TGame& g) { g.Battle.B.Shield = 1; },
       {"乙に2ダメージを与えた！  （シールド発動）", "", "【第4ターン】", "", "甲の重撃剣！",
        "乙に5ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
      {"魔",
       "20/0/0/1/魔",
       "20/0/9/0/",
       [](TGame& g) { g.Battle.B.HP = 7; },
       {"甲の魔法剣！", "乙に4ダメージを与えた！"},
       "dat\\dun.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.B.HP, 3); }},
      {"死",
       "20/0/0/1/死",
       "30/0/9/0/",
       {},
       {"【第6ターン】", "", "甲のデス剣！", "乙に30ダメージを与えた！", "乙は死んだ。"},
       "dat\\break2.wav",
       {}},
      {"怒",
       "20/0/0/1/怒",
       "20/0/5/0/",
       [](TGame& g) { g.Battle.A.HP = 4; },
       {"甲の激怒剣！", "乙に16ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
      {"滅 in turn 5",
       "20/0/0/1/滅",
       "100/0/50/0/",
       [](TGame& g) {
         g.Battle.Turn = 5;
         g.Battle.A.HP = 1;
       },
       {"【第5ターン】", "", "甲の滅奏剣！", "乙に32ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
      {"闇 passes reflect and shield",
       "20/5/0/1/闇",
       "20/0/1/0/",
       [](TGame& g) {
         g.Battle.B.Reflect = 1;
         g.Battle.B.Shield = 1;
       },
       {"甲の闇黒剣！", "乙に4ダメージを与えた！"},
       "dat\\dun.wav",
       [](TGame& g) {
         EXPECT_EQ(g.Battle.B.Reflect, 1);
         EXPECT_EQ(g.Battle.B.Shield, 1);
       }},
      {"連 against a shield",
       "20/4/0/1/連",
       "40/0/0/0/",
       [](TGame& g) { g.Battle.B.Shield = 1; },
       {"甲の連撃剣！", "乙に2ダメージを与えた！  （シールド発動）", "乙に4ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
  });
}

TEST(BattleSwords, OnHitEffectsFollowADamagingStrike) {
  RunCases({
      {"衝",
       "20/5/0/1/衝",
       "40/0/0/0/",
       {},
       {"乙に5ダメージを与えた！", "乙に＜スタン＞を与えた！"},
       "dat\\dh2.wav",
       {}},
      {"毒",
       "20/5/0/1/毒",
       "40/0/0/0/",
       {},
       {"乙に5ダメージを与えた！", "乙に＜毒＞を与えた！"},
       "dat\\dh2.wav",
       [](TGame& g) {
         EXPECT_EQ(g.Battle.B.Poison, 1);
         EXPECT_EQ(g.Battle.A.SwordCount, 0);
       }},
      {"猛",
       "20/5/0/1/猛",
       "40/0/0/0/",
       {},
       {"乙に5ダメージを与えた！", "乙に＜猛毒＞を与えた！"},
       "dat\\dh2.wav",
       {}},
      {"no damage, no effect",
       "20/5/0/1/衝",
       "40/0/5/0/",
       {},
       {"甲の衝撃剣！", "乙にダメージは入らなかった！", "", "【第3ターン】"},
       "dat\\タ2.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.B.Stun, 0); }},
      {"戟",
       "20/5/0/1/戟",
       "40/0/0/0/斬護",
       {},
       {"乙に5ダメージを与えた！", "乙の斬撃剣を使用済みにした！"},
       "dat\\dh2.wav",
       {}},
      {"撹",
       "20/5/0/1/撹",
       "40/0/0/0/斬護",
       {},
       {"乙に5ダメージを与えた！", "乙の剣を並べ替えた！"},
       "dat\\dh2.wav",
       [](TGame& g) { EXPECT_EQ(MarksOf(g.Battle.B), "護斬"); }},
      {"盗",
       "20/5/0/1/盗",
       "40/0/0/0/斬護",
       {},
       {"乙に5ダメージを与えた！", "乙の斬撃剣を強奪した！"},
       "dat\\eat.wav",
       [](TGame& g) {
         EXPECT_EQ(MarksOf(g.Battle.A), "斬");
         EXPECT_EQ(MarksOf(g.Battle.B), "護");
       }},
      // Swords moved between or within lists keep their used marks: a stolen
      // sword its owner ran this turn waits for the next turn in its new
      // hands, and a reversed list's next runnable sword is the unused one.
      {"盗 of a used sword",
       "20/5/0/2/盗",
       "40/0/0/3/護斬",
       {},
       {"乙の加護剣を強奪した！", "", "【第3ターン】"},
       "dat\\タ2.wav",
       {}},
      {"撹 of a partly used list",
       "20/5/0/2/斬撹",
       "40/0/0/2/護熱斬",
       [](TGame& g) { g.Battle.B.ReserveAP = 1; },
       {"乙の剣を並べ替えた！", "", "乙の斬撃剣！"},
       "dat\\タ2.wav",
       {}},
      {"盗 against no swords",
       "20/5/0/1/盗",
       "40/0/0/0/",
       {},
       {"乙に5ダメージを与えた！", "", "【第3ターン】"},
       "dat\\タ2.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.SwordCount, 0); }},
      {"stun, strong poison, poison in one line",
       "20/5/0/2/振薬毒",
       "40/0/0/0/",
       [](TGame& g) {
         g.Battle.A.Swords[1].StartTurn = 0;
         g.Battle.A.Swords[2].StrongPoisonOnHit = 1;
       },
       {"乙に5ダメージを与えた！", "乙に＜スタン＞＜猛毒＞＜毒＞＜毒＞を与えた！"},
       "dat\\dh2.wav",
       {}},
  });
}

TEST(BattleSwords, ControlSwordsGrantToTheSwordThatMovedIntoTheirPlace) {
  RunCases({
      {"振 then 斬",
       "20/5/0/2/振斬",
       "40/0/0/0/",
       {},
       {"甲の振動剣！", "甲の斬撃剣に＜スタン与え＞が付与された！", "", "甲の斬撃剣！",
        "乙に5ダメージを与えた！", "乙に＜スタン＞を与えた！"},
       "dat\\dh2.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Swords[0].StunGrants, 1); }},
      {"薬 then 斬",
       "20/5/0/2/薬斬",
       "40/0/0/0/",
       {},
       {"甲の斬撃剣に＜毒与え＞が付与された！", "", "甲の斬撃剣！", "乙に5ダメージを与えた！",
        "乙に＜毒＞を与えた！"},
       "dat\\dh2.wav",
       {}},
      {"豪 then 斬",
       "20/5/0/2/豪斬",
       "40/0/0/0/護盾",
       {},
       {"甲の斬撃剣に＜破壊伴い＞が付与された！", "", "甲の斬撃剣！", "乙に5ダメージを与えた！",
        "乙の加護剣を破壊した！"},
       "dat\\dh2.wav",
       [](TGame& g) { EXPECT_EQ(MarksOf(g.Battle.B), ""); }},  // 盾 goes next turn
      {"導 then 熱, any class",
       "20/0/0/2/導熱",
       "40/0/0/0/",
       {},
       {"【第0ターン】", "", "甲の導来剣！", "甲の加熱剣に＜早期起動＞が付与された！", "",
        "甲の加熱剣！", "甲の攻撃力が1上がった！"},
       "dat\\up.wav",
       {}},
      {"滅 in turn 0 through 導",
       "20/0/0/2/導滅",
       "40/0/0/0/",
       [](TGame& g) { g.Battle.A.HP = 1; },
       {"【第0ターン】", "", "甲の導来剣！", "甲の滅奏剣に＜早期起動＞が付与された！", "",
        "甲の滅奏剣！", "乙に1ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
      {"at the end of the list",
       "20/5/0/2/斬振",
       "40/0/0/0/",
       {},
       {"甲の振動剣！", "甲は対象になる剣を持っていない！"},
       "dat\\タ2.wav",
       {}},
      {"not an attack sword",
       "20/5/0/2/薬熱",
       "40/0/0/0/",
       {},
       {"甲の毒薬剣！", "甲の加熱剣は攻撃剣ではない！"},
       "dat\\bub.wav",
       [](TGame& g) { EXPECT_EQ(g.Battle.A.Swords[0].PoisonOnHit, 0); }},
      {"星",
       "20/0/0/1/星",
       "40/0/0/0/",
       {},
       {"【第1ターン】", "", "甲の星霜剣！", "ターンが2になった☆", "", "【第3ターン】"},
       "dat\\タ2.wav",
       {}},
  });
  // The turn sword's own cue.
  const std::vector<TClick> clicks = ShownClicks("20/0/0/1/星", "40/0/0/0/");
  EXPECT_EQ(CueOf(clicks, "ターンが2になった☆"), "dat\\cap_tu1.wav");
}

TEST(BattleSwords, ReflectionSendsTheStrikeBackUntilOneSideHasNoReflectLeft) {
  RunCases({
      {"chain",
       "20/5/0/1/斬",
       "20/0/0/0/",
       [](TGame& g) {
         g.Battle.A.Reflect = 1;
         g.Battle.B.Reflect = 2;
       },
       {"", "甲の斬撃剣！", "乙は攻撃を反射した！", "甲は攻撃を反射した！", "乙は攻撃を反射した！",
        "甲に5ダメージを与えた！"},
       "dat\\dun.wav",
       [](TGame& g) {
         EXPECT_EQ(g.Battle.A.Reflect, 0);
         EXPECT_EQ(g.Battle.B.Reflect, 0);
       }},
      {"衝 stuns its own wielder",
       "20/5/0/1/衝",
       "40/0/0/0/",
       [](TGame& g) { g.Battle.B.Reflect = 1; },
       {"甲の衝撃剣！", "乙は攻撃を反射した！", "甲に5ダメージを与えた！",
        "甲に＜スタン＞を与えた！", "", "【第3ターン】", "", "甲はスタンで動けない！"},
       "dat\\タ2.wav",
       {}},
      {"the sender's defence and shield",
       "20/6/2/1/斬",
       "40/0/0/0/",
       [](TGame& g) {
         g.Battle.A.Shield = 1;
         g.Battle.B.Reflect = 1;
       },
       {"乙は攻撃を反射した！", "甲に2ダメージを与えた！  （シールド発動）"},
       "dat\\dun.wav",
       {}},
  });
  const std::vector<TClick> clicks =
      ShownClicks("20/5/0/1/斬", "20/0/0/0/", [](TGame& g) { g.Battle.B.Reflect = 1; });
  EXPECT_EQ(CueOf(clicks, "乙は攻撃を反射した！"), "dat\\コン.wav");
}

TEST(BattleSwords, SimultaneousStrikesAreBothComputedBeforeEitherLands) {
  // The second side's rage counts the HP it had before the first strike hit it.
  RunCases({
      {"怒",
       "20/5/0/1/斬",
       "20/0/0/1/怒",
       [](TGame& g) { g.Battle.B.HP = 10; },
       {"", "甲の斬撃剣！", "乙の激怒剣！", "乙に5ダメージを与えた！", "甲に10ダメージを与えた！"},
       "dat\\dun.wav",
       {}},
      // A shield is used up by the strike computed first; both reach it in order.
      {"support before attack",
       "20/5/0/1/斬",
       "20/0/0/1/盾",
       {},
       {"", "甲の斬撃剣！", "乙の盾の剣！", "乙に＜シールド＞が付与された！",
        "乙に2ダメージを与えた！  （シールド発動）"},
       "dat\\dun.wav",
       {}},
  });
}

TEST(BattleSwords, TwoThievesOfOneStepTakeBeforeEitherHandsOver) {
  RunCases({
      // The first side has nothing left to take once its thief has run.
      {"one way",
       "20/5/0/1/盗",
       "20/5/0/1/盗護",
       {},
       {"", "甲の強盗剣！", "乙の強盗剣！", "乙に4ダメージを与えた！", "甲に5ダメージを与えた！",
        "乙の加護剣を強奪した！", "", "【第3ターン】"},
       "dat\\タ2.wav",
       [](TGame& g) {
         EXPECT_EQ(MarksOf(g.Battle.A), "護");
         EXPECT_EQ(MarksOf(g.Battle.B), "");
       }},
      {"both ways",
       "20/5/0/1/盗斬",
       "20/5/0/1/盗護",
       {},
       {"乙に4ダメージを与えた！", "甲に5ダメージを与えた！", "乙の加護剣を強奪した！",
        "甲の斬撃剣を強奪した！"},
       "dat\\eat.wav",
       [](TGame& g) {
         EXPECT_EQ(MarksOf(g.Battle.A), "護");
         EXPECT_EQ(MarksOf(g.Battle.B), "斬");
       }},
  });
  // A joint step whose first side prepares nothing: the empty line goes
  // before the second side's announcement.
  const Lines all = ShownBattle("20/5/0/1/盗", "20/5/0/1/盗護");
  EXPECT_EQ(TurnLines(all, 1), (Lines{"", "乙の加護剣！", "乙の防御力が1上がった！"}));
}
