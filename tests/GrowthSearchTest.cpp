// The growth search's building blocks: candidates, insertion places, the
// 40-byte cut, reorderings, the order check and the choice among ties.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "growth/GrowthSearch.h"
#include "rules/Random.h"
#include "rules/SjisText.h"
#include "tests/TestSupport.h"

namespace {

TSpec Build(int hp, int attack, int defence, int speed, const std::string& swordsUtf8) {
  return SpecOf(hp, attack, defence, speed, swordsUtf8);
}

std::vector<std::string> Marks(std::string_view cp932) {
  std::vector<std::string> marks;
  for (int i = 0; i < TBromString::CharCount(cp932); ++i) {
    marks.push_back(TBromString::CharAt(cp932, i));
  }
  return marks;
}

std::string SortedMarks(std::string_view cp932) {
  std::vector<std::string> marks = Marks(cp932);
  std::sort(marks.begin(), marks.end());
  std::string joined;
  for (const std::string& m : marks) joined += m;
  return joined;
}

// The mark a candidate inserted into `before`, and where; checks that the
// candidate is exactly `before` with that one mark added.
struct TInsertion {
  std::string Mark;
  int Pos = -1;
};

TInsertion InsertionOf(const TSpec& before, const TSpec& after) {
  const std::vector<std::string> b = Marks(before.Swords);
  const std::vector<std::string> a = Marks(after.Swords);
  TInsertion found;
  if (a.size() != b.size() + 1) return found;
  std::size_t pos = 0;
  while (pos < b.size() && a[pos] == b[pos]) ++pos;
  std::vector<std::string> rest = a;
  rest.erase(rest.begin() + static_cast<long>(pos));
  if (rest != b) return found;
  found.Mark = U8(a[pos]);
  found.Pos = static_cast<int>(pos);
  return found;
}

bool SameStats(const TSpec& a, const TSpec& b) {
  return a.MaxHP == b.MaxHP && a.Attack == b.Attack && a.Defence == b.Defence && a.Speed == b.Speed;
}

}  // namespace

// Candidates --------------------------------------------------------------

TEST(GrowthCandidates, WithoutSpeedOnlyHpAndSpeedAreOffered) {
  TRandom dice;
  for (int speed : {0, -2}) {
    const TSpec me = Build(20, 5, 2, speed, "斬熱導振斬");
    const TSpecList list = GrowthCandidates(me, Build(20, 3, 2, 1, "斬"), dice);
    ASSERT_EQ(list.size(), 2u);
    TSpec hp = me;
    hp.MaxHP += 5;
    TSpec fast = me;
    fast.Speed += 1;
    EXPECT_EQ(list[0], hp);
    EXPECT_EQ(list[1], fast);
  }
}

TEST(GrowthCandidates, FullListOfFortySevenInItsOrder) {
  TRandom dice(11);
  const TSpec me = Build(20, 3, 2, 1, "斬斬闇");
  const TSpecList list = GrowthCandidates(me, Build(20, 3, 2, 1, "斬"), dice);
  ASSERT_EQ(list.size(), 47u);

  TSpec expect = me;
  expect.MaxHP = 25;
  EXPECT_EQ(list[0], expect);
  expect = me;
  expect.Speed = 2;
  EXPECT_EQ(list[1], expect);
  expect = me;
  expect.Attack = 4;
  EXPECT_EQ(list[2], expect);
  expect = me;
  expect.Defence = 3;
  EXPECT_EQ(list[3], expect);

  const std::vector<std::string> randomMarks = {
      "斬", "闇", "衝", "毒", "猛", "戟", "撹", "盗", "連", "確", "絶", "重", "魔", "死", "怒",
      "滅", "熱", "護", "速", "灼", "盾", "命", "魂", "鏡", "押", "先", "回", "癒", "儀", "臥"};
  for (std::size_t i = 0; i < randomMarks.size(); ++i) {
    const TSpec& c = list[4 + i];
    EXPECT_TRUE(SameStats(c, me)) << i;
    EXPECT_EQ(InsertionOf(me, c).Mark, randomMarks[i])
        << "candidate " << 4 + i << ": " << U8(c.Swords);
  }
  const std::vector<std::string> placed = {"導斬斬闇", "斬導斬闇", "斬斬導闇", "振斬斬闇",
                                           "斬振斬闇", "斬斬振闇", "薬斬斬闇", "斬薬斬闇",
                                           "斬斬薬闇", "豪斬斬闇", "斬豪斬闇", "斬斬豪闇"};
  for (std::size_t i = 0; i < placed.size(); ++i) {
    EXPECT_EQ(U8(list[34 + i].Swords), placed[i]);
    EXPECT_TRUE(SameStats(list[34 + i], me));
  }
  EXPECT_EQ(InsertionOf(me, list[46]).Mark, "星");
}

TEST(GrowthCandidates, AttackAndDefenceStepsFollowWhatTheyWouldServe) {
  TRandom dice;
  // Attack 0 without "熱": no attack-power sword, no attack raise, no "熱"/"灼".
  const TSpec opponent = Build(20, 3, 2, 1, "確絶魔");  // no strike that defence weakens
  TSpecList list = GrowthCandidates(Build(30, 0, 0, 1, "魔"), opponent, dice);
  std::set<std::string> inserted;
  for (const TSpec& c : list) inserted.insert(InsertionOf(Build(30, 0, 0, 1, "魔"), c).Mark);
  for (const char* absent : {"斬", "重", "熱", "灼", "護"}) EXPECT_FALSE(inserted.count(absent));
  for (const char* present : {"魔", "死", "速", "盾", "星"}) EXPECT_TRUE(inserted.count(present));
  for (const TSpec& c : list) {
    EXPECT_EQ(c.Attack, 0);
    EXPECT_EQ(c.Defence, 0);
  }
  // With "熱" in the list the twelve are offered even at attack 0, but the
  // attack raise still needs an attack-power sword.
  const TSpec heated = Build(25, 0, 0, 1, "熱");
  list = GrowthCandidates(heated, opponent, dice);
  inserted.clear();
  for (const TSpec& c : list) inserted.insert(InsertionOf(heated, c).Mark);
  EXPECT_TRUE(inserted.count("斬") && inserted.count("重") && inserted.count("確"));
  EXPECT_FALSE(inserted.count("熱"));
  EXPECT_TRUE(std::none_of(list.begin(), list.end(), [](const TSpec& c) { return c.Attack; }));
  // An opponent with one plain strike brings the defence raise and "護".
  list = GrowthCandidates(heated, Build(20, 3, 2, 1, "確毒"), dice);
  EXPECT_EQ(list[2].Defence, 1);
  EXPECT_EQ(std::count_if(list.begin(), list.end(),
                          [&](const TSpec& c) { return InsertionOf(heated, c).Mark == "護"; }),
            1);
}

TEST(GrowthCandidates, AnEmptyListTakesEverySwordAtItsHead) {
  TRandom dice(5);
  const TSpec me = Build(20, 2, 0, 1, "");
  const TSpecList list = GrowthCandidates(me, Build(20, 3, 2, 1, "斬"), dice);
  // HP, speed, defence, the twelve, four, "護", "速", ten, "星".
  ASSERT_EQ(list.size(), 2u + 1 + 12 + 4 + 1 + 1 + 10 + 1);
  for (std::size_t i = 3; i < list.size(); ++i) {
    EXPECT_EQ(TBromString::CharCount(list[i].Swords), 1) << i;
  }
}

TEST(GrowthCandidates, ControlSwordsGoBeforeEachSwordTheyCanServe) {
  TRandom dice;
  // "導" before every sword starting after turn 0 that has no control sword
  // before it; "振" "薬" "豪" before every such attack sword.
  const TSpec me = Build(20, 2, 0, 1, "押斬振闇熱");
  std::vector<std::string> guided, stunned;
  for (const TSpec& c : GrowthCandidates(me, Build(20, 0, 0, 1, ""), dice)) {
    const TInsertion ins = InsertionOf(me, c);
    if (ins.Mark == "導") guided.push_back(U8(c.Swords));
    if (ins.Mark == "振") stunned.push_back(U8(c.Swords));
  }
  // No other step offers "導" or "振".
  EXPECT_EQ(guided, (std::vector<std::string>{"押導斬振闇熱", "押斬導振闇熱", "押斬振闇導熱"}));
  EXPECT_EQ(stunned, (std::vector<std::string>{"押振斬振闇熱"}));
}

// Insertion places ----------------------------------------------------------

TEST(RandomInsertPos, PlacesObeyTheControlSwordsOverManyDraws) {
  TRandom dice(2024);
  // sword p (1-based) before place p:  1振 2斬 3導 4薬 5押 6豪 7導 8斬
  const TSpec me = Build(20, 2, 0, 1, "振斬導薬押豪導斬");
  struct TCase {
    const char* Mark;
    std::set<int> Allowed;
  };
  const TCase cases[] = {
      {"斬", {0, 1, 2, 3, 4, 5, 6, 7, 8}},  // attack: anywhere
      {"毒", {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"盾", {0, 2, 3, 5, 7, 8}},  // never right after 振, 薬, 豪
      {"星", {0, 2, 3, 5, 7, 8}},
      {"導", {0, 2, 5, 8}},  // start 0: not after 導 either
      {"押", {0, 2, 5, 8}},
      {"振", {0, 2, 3, 5, 7, 8}},
  };
  for (const TCase& c : cases) {
    std::map<int, int> seen;
    for (int draw = 0; draw < 3000; ++draw) ++seen[RandomInsertPos(me, Sj(c.Mark), dice)];
    std::set<int> places;
    for (const auto& [pos, count] : seen) places.insert(pos);
    EXPECT_EQ(places, c.Allowed) << c.Mark;
    // Redrawing keeps the accepted places equally likely.
    for (const auto& [pos, count] : seen) {
      EXPECT_NEAR(count, 3000.0 / c.Allowed.size(), 3000.0 / c.Allowed.size() * 0.25)
          << c.Mark << " at " << pos;
    }
  }
}

TEST(RandomInsertPos, AnEmptyListGivesTheHead) {
  TRandom dice(1);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomInsertPos(Build(0, 0, 0, 0, ""), Sj("導"), dice), 0);
}

TEST(RandomInsertPos, EveryCandidateDrawsItsPlaceForItsOwnMark) {
  TRandom dice(515);
  // sword p (1-based) before place p:  1振 2斬 3導 4薬 5闇 6豪 7導 8衝
  const TSpec me = Build(20, 2, 0, 1, "振斬導薬闇豪導衝");
  const TSpec opponent = Build(20, 2, 0, 1, "斬");
  const std::set<int> notAfterGrantors = {0, 2, 3, 5, 7, 8};
  const std::set<int> notAfterControl = {0, 2, 5, 8};
  std::map<std::string, std::set<int>> places;
  for (int draw = 0; draw < 400; ++draw) {
    for (const TSpec& c : GrowthCandidates(me, opponent, dice)) {
      const TInsertion ins = InsertionOf(me, c);
      // "導", "振", "薬" and "豪" are placed by rule, not drawn.
      if (ins.Pos < 0 || std::string("導振薬豪").find(ins.Mark) != std::string::npos) continue;
      places[ins.Mark].insert(ins.Pos);
    }
  }
  ASSERT_EQ(places.size(), 31u);  // the twelve, four, four stat swords, ten, and "星"
  for (const auto& [mark, seen] : places) {
    const TSword sword = SwordByMark(Sj(mark));
    if (sword.SwordClass == scAttack) {
      // An attack sword may follow a "振", "薬" or "豪" (next to an equal
      // mark its place reads as the later one, so not every place shows).
      EXPECT_TRUE(seen.count(1) || seen.count(4) || seen.count(6)) << mark;
      continue;
    }
    EXPECT_EQ(seen, sword.StartTurn == 0 ? notAfterControl : notAfterGrantors) << mark;
  }
}

// The 40-byte cut -----------------------------------------------------------

TEST(InsertSword, PutsTheMarkAfterPosSwordsAndCutsAFullList) {
  const TSpec me = Build(20, 1, 2, 3, "斬闇衝");
  EXPECT_EQ(U8(InsertSword(me, Sj("星"), 0).Swords), "星斬闇衝");
  EXPECT_EQ(U8(InsertSword(me, Sj("星"), 2).Swords), "斬闇星衝");
  EXPECT_EQ(U8(InsertSword(me, Sj("星"), 3).Swords), "斬闇衝星");
  EXPECT_TRUE(SameStats(InsertSword(me, Sj("星"), 1), me));
  EXPECT_THROW(InsertSword(me, Sj("星"), 4), std::logic_error);
  EXPECT_THROW(InsertSword(me, Sj("星"), -1), std::logic_error);

  std::string twenty;
  for (int i = 0; i < 19; ++i) twenty += "斬";
  twenty += "闇";
  const TSpec full = Build(20, 1, 2, 3, twenty);
  const TSpec front = InsertSword(full, Sj("星"), 0);
  EXPECT_EQ(front.Swords.size(), 40u);
  EXPECT_EQ(U8(front.Swords), "星" + twenty.substr(0, twenty.size() - std::string("闇").size()));
  // At the very end the new sword itself is what falls off.
  EXPECT_EQ(InsertSword(full, Sj("星"), 20), full);
}

TEST(InsertSword, CutCandidatesEarnTheKeepLengthBonusLikeStatRaises) {
  TRandom dice(8);
  std::string marks;
  for (int i = 0; i < 20; ++i) marks += i % 2 ? "斬" : "熱";
  const TSpec full = Build(20, 2, 1, 2, marks);
  const TSpec opponent = Build(20, 2, 1, 2, "斬");
  TSpecList list = GrowthCandidates(full, opponent, dice);
  TIntList scores(list.size(), 0);
  AddKeepLengthBonus(full, list, scores);
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(TBromString::CharCount(list[i].Swords), 20);
    EXPECT_EQ(scores[i], KeepLengthBonus) << i;
  }
  // One sword fewer: only the stat raises keep the length.
  std::string nineteen;
  for (int i = 0; i < 19; ++i) nineteen += i % 2 ? "斬" : "熱";
  const TSpec shorter = Build(20, 2, 1, 2, nineteen);
  list = GrowthCandidates(shorter, opponent, dice);
  scores.assign(list.size(), 7);
  AddKeepLengthBonus(shorter, list, scores);
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(scores[i], i < 4 ? 7 + KeepLengthBonus : 7) << i;
  }
}

// Reorderings -------------------------------------------------------------

TEST(OrderVariants, ShortListsStayAsTheyAreLongOnesGetThirtyOrders) {
  TRandom dice(3);
  for (const char* swords : {"", "振"}) {
    const TSpec b = Build(20, 1, 1, 1, swords);
    const TSpecList one = OrderVariants(b, dice);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], b);
  }
  const TSpec b = Build(20, 1, 1, 1, "斬闇衝熱護盾");
  const TSpecList list = OrderVariants(b, dice);
  ASSERT_EQ(list.size(), 30u);
  EXPECT_EQ(list[0], b);
  std::set<std::string> distinct;
  for (const TSpec& v : list) {
    EXPECT_TRUE(SameStats(v, b));
    EXPECT_EQ(SortedMarks(v.Swords), SortedMarks(b.Swords));
    distinct.insert(v.Swords.Str());
  }
  EXPECT_GT(distinct.size(), 20u);  // 720 orders: repeats are rare
}

TEST(OrderVariants, NineteenOrdersCarryControlSwordsAndTenShuffleThem) {
  TRandom dice(12);
  const TSpec b = Build(20, 1, 1, 1, "斬熱振護盾");
  int loose = 0;
  for (int round = 0; round < 5; ++round) {
    const TSpecList list = OrderVariants(b, dice);
    ASSERT_EQ(list.size(), 30u);
    for (std::size_t i = 1; i < list.size(); ++i) {
      const bool carried = U8(list[i].Swords).find("振斬") != std::string::npos;
      if (i < 20) {
        EXPECT_TRUE(carried) << i << ": " << U8(list[i].Swords);
      } else if (!carried) {
        ++loose;
      }
    }
  }
  // Shuffled freely, "振" stands right before "斬" in only one order of five.
  EXPECT_GT(loose, 20);
}

TEST(OrderVariant, GuidesJoinASwordTheyBringForward) {
  TRandom dice(21);
  for (bool retarget : {false, true}) {
    for (int i = 0; i < 200; ++i) {
      // "導" can only bring "斬" forward: the two always travel together.
      const std::string one =
          U8(OrderVariant(Build(5, 1, 1, 1, "導押斬臥"), retarget, dice).Swords);
      EXPECT_NE(one.find("導斬"), std::string::npos) << one;
      // Once a "斬" starts in turn 0 the next "導" goes to the other one.
      const std::string two =
          U8(OrderVariant(Build(5, 1, 1, 1, "導導斬斬"), retarget, dice).Swords);
      EXPECT_EQ(two, "導斬導斬");
      // With nothing to bring forward, the "導" groups still stay whole.
      const std::string lone = U8(OrderVariant(Build(5, 1, 1, 1, "導押"), retarget, dice).Swords);
      EXPECT_EQ(lone, "導押");
    }
  }
}

TEST(OrderVariant, RetargetingCarriesControlSwordsToAttackSwords) {
  TRandom dice(77);
  const TSpec b = Build(20, 3, 0, 1, "熱振護斬盾闇");
  std::set<std::string> carriers;
  for (int i = 0; i < 400; ++i) {
    const std::string v = U8(OrderVariant(b, true, dice).Swords);
    ASSERT_EQ(SortedMarks(Sj(v)), SortedMarks(b.Swords));
    const std::size_t at = v.find("振");
    ASSERT_NE(at, std::string::npos);
    const std::string next = v.substr(at + std::string("振").size(), std::string("斬").size());
    EXPECT_TRUE(next == "斬" || next == "闇") << v;
    carriers.insert(next);
  }
  EXPECT_EQ(carriers.size(), 2u);  // either attack sword may carry it
  // Without retargeting "振" is shuffled like any other sword, the end included.
  bool endedWithControl = false;
  for (int i = 0; i < 400 && !endedWithControl; ++i) {
    const std::string v = U8(OrderVariant(b, false, dice).Swords);
    endedWithControl = v.substr(v.size() - std::string("振").size()) == "振";
  }
  EXPECT_TRUE(endedWithControl);
}

TEST(OrderVariant, RetargetingReadsTheStartTurnsAsGuidesLoweredThem) {
  TRandom dice(99);
  // When "導" joins "豪", the pair runs from turn 1 and can ride the limited
  // "毒" (start 1); only a "豪" still starting in turn 2 would have to look
  // elsewhere, e.g. at "熱".
  std::set<std::string> seen;
  for (int i = 0; i < 600; ++i) {
    const std::string v = U8(OrderVariant(Build(20, 3, 0, 1, "導豪毒熱"), true, dice).Swords);
    ASSERT_EQ(SortedMarks(Sj(v)), SortedMarks(Sj("導豪毒熱")));
    EXPECT_EQ(v.find("導豪熱"), std::string::npos) << v;
    seen.insert(v);
  }
  EXPECT_TRUE(seen.count("導豪毒熱") && seen.count("熱導豪毒"));
  // "導" on "毒" leaves "豪" with no fitting attack sword: it lands anywhere.
  EXPECT_TRUE(seen.count("豪熱導毒") || seen.count("導毒豪熱"));
}

TEST(OrderVariant, ChainsOfControlSwordsLandTogetherAndNoSwordIsLost) {
  TRandom dice(4);
  for (int i = 0; i < 100; ++i) {
    // "振" rides "斬" in the pass of turn 1, then "豪" rides the pair in that
    // of turn 2, wherever "豪" stood.
    for (const char* swords : {"振盾豪斬熱", "豪盾振斬熱"}) {
      const std::string v = U8(OrderVariant(Build(20, 3, 0, 1, swords), true, dice).Swords);
      EXPECT_NE(v.find("豪振斬"), std::string::npos) << swords << " -> " << v;
    }
  }
  // A list of control swords alone has no attack sword to carry them: they
  // gather into one group, and the order still holds every one of them.
  for (const char* swords : {"振振", "導振薬豪", "豪薬", "導導振"}) {
    for (const TSpec& v : OrderVariants(Build(20, 0, 0, 1, swords), dice)) {
      EXPECT_EQ(SortedMarks(v.Swords), SortedMarks(Sj(swords))) << swords << " -> " << U8(v.Swords);
    }
  }
}

// The order check -----------------------------------------------------------

TEST(IsWellFormedOrder, JudgesControlSwordsAndGuides) {
  for (const char* yes : {"斬", "導振斬", "振魔", "豪振斬", "導毒", "熱振斬導闇", "振振斬"}) {
    EXPECT_TRUE(IsWellFormedOrder(Sj(yes))) << yes;
  }
  for (const char* no :
       {"", "振", "斬振", "振星", "導押", "導導連", "振毒", "振怒", "振豪斬", "導振毒", "振護斬"}) {
    EXPECT_FALSE(IsWellFormedOrder(Sj(no))) << no;
  }
}

// Scores ------------------------------------------------------------------

TEST(ScoreAgainst, SumsWinsDrawsAndLossesOfTheCandidateFightingFirst) {
  const TSpec strong = Build(20, 3, 0, 1, "斬");
  const TSpec idle = Build(20, 0, 0, 0, "");
  const TSpec even = Build(20, 1, 1, 1, "斬");
  EXPECT_EQ(ScoreAgainst(strong, {idle}), 20);
  EXPECT_EQ(ScoreAgainst(idle, {strong}), 0);
  EXPECT_EQ(ScoreAgainst(even, {even}), 10);  // equal HP at the end
  EXPECT_EQ(ScoreAgainst(even, {idle, even, strong, idle}), 20 + 10 + 0 + 20);
  EXPECT_EQ(ScoreAgainst(strong, {}), 0);
}

// The choice ----------------------------------------------------------------

TEST(PickBest, ChoosesAmongTheTiedBestOnly) {
  TRandom dice(17);
  TSpecList candidates;
  for (int hp : {1, 2, 3, 4, 5}) candidates.push_back(Build(hp * 5, 0, 0, 0, ""));
  const TIntList scores = {5, 9, 9, 3, 9};
  std::map<int, int> picked;
  for (int i = 0; i < 3000; ++i) ++picked[PickBest(candidates, scores, dice).MaxHP / 5];
  EXPECT_EQ(picked.size(), 3u);
  for (int hp : {2, 3, 5}) EXPECT_NEAR(picked[hp], 1000, 200) << hp;
  // All zero: any of them.
  std::set<int> any;
  for (int i = 0; i < 500; ++i) any.insert(PickBest(candidates, TIntList(5, 0), dice).MaxHP);
  EXPECT_EQ(any.size(), 5u);
  EXPECT_THROW(PickBest(candidates, TIntList(4, 0), dice), std::logic_error);
  EXPECT_THROW(PickBest(candidates, TIntList(5, -1), dice), std::logic_error);
}

TEST(PickBest, OrderBonusesBreakTiesTowardsTheKeptAndWellFormedOrder) {
  TRandom dice(6);
  const TSpec kept = Build(20, 1, 1, 1, "振斬熱");   // well formed
  const TSpec other = Build(20, 1, 1, 1, "熱振斬");  // well formed
  const TSpec bad = Build(20, 1, 1, 1, "斬熱振");    // not
  for (int i = 0; i < 50; ++i) {
    TIntList scores = {40, 40, 40};
    AddOrderBonus({kept, other, bad}, scores);
    EXPECT_EQ(scores, (TIntList{43, 42, 40}));
    EXPECT_EQ(PickBest({kept, other, bad}, scores, dice), kept);
    // A badly ordered build loses a tie to a well-formed variant.
    scores = {40, 40, 40};
    AddOrderBonus({bad, other, kept}, scores);
    EXPECT_EQ(scores, (TIntList{41, 42, 42}));
    const TSpec best = PickBest({bad, other, kept}, scores, dice);
    EXPECT_TRUE(best == other || best == kept);
  }
  // An empty list is not well formed: it earns no order bonus.
  TIntList scores = {0, 0};
  AddOrderBonus({Build(20, 0, 0, 1, "振振"), Build(20, 0, 0, 1, "")}, scores);
  EXPECT_EQ(scores, (TIntList{1, 0}));
}
