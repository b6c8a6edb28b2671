// Battles of many random builds: every one ends, silently and shown, and the
// silent result names the same winner as the shown match.
#include <gtest/gtest.h>

#include <random>

#include "battle/Battle.h"
#include "data/Tournament.h"
#include "tests/BattleHarness.h"
#include "tests/TestSupport.h"

namespace {

// A random valid build worth `points` bonus points (HP in steps of 5, up to
// 20 swords of any kind), as UTF-8 notation.
std::string RandomBuild(std::mt19937& rng, int points) {
  int numbers[4] = {0, 0, 0, 0};
  std::string swords;
  int swordCount = 0;
  for (int p = 0; p < points; ++p) {
    const int where = static_cast<int>(rng() % 5);
    if (where < 4 || swordCount == MaxSwords) {
      numbers[where % 4] += 1;
    } else {
      swords += U8(SwordByKind(1 + static_cast<int>(rng() % SwordKindCount)).Mark.Str());
      ++swordCount;
    }
  }
  return std::to_string(numbers[0] * 5) + "/" + std::to_string(numbers[1]) + "/" +
         std::to_string(numbers[2]) + "/" + std::to_string(numbers[3]) + "/" + swords;
}

}  // namespace

TEST(BattleRandom, EverySilentBattleOfRandomBuildsEndsWithAResultCode) {
  std::mt19937 rng(20240611);
  int counts[3] = {0, 0, 0};
  for (int i = 0; i < 3000; ++i) {
    const std::string a = RandomBuild(rng, 10 + i % 5);
    const std::string b = RandomBuild(rng, 10 + i % 3);
    const int r = SimulateBuilds(Build(a), Build(b));
    ASSERT_TRUE(r == brFirstWins || r == brDraw || r == brSecondWins) << a << " vs " << b;
    ++counts[r / 10];
  }
  // Random builds give every outcome.
  EXPECT_GT(counts[0], 0);
  EXPECT_GT(counts[1], 0);
  EXPECT_GT(counts[2], 0);
}

TEST(BattleRandom, ShownMatchesEndAndAgreeWithTheSilentResult) {
  std::mt19937 rng(77);
  for (int i = 0; i < 200; ++i) {
    const std::string a = RandomBuild(rng, 10);
    const std::string b = RandomBuild(rng, 10);
    SCOPED_TRACE(a + " vs " + b);
    const int silent = SimulateBuilds(Build(a), Build(b));
    const int stage = 1 + i % 5;
    TBattleHarness h;
    h.Setup(stage, {{"甲", a}, {"乙", b}});
    h.Enter();
    // Every other match is skipped at some point.
    const int skipAt = i % 2 == 0 ? 1 + i % 40 : -1;
    for (int k = 1; h.Where == TShown::Battle && k < 100000; ++k) {
      if (k == skipAt) {
        h.Skip();
      } else {
        h.Step();
      }
    }
    ASSERT_EQ(h.Where, TShown::Board);
    EXPECT_EQ(h.Tournament.Stage, stage + 1);
    ASSERT_EQ(h.Tournament.EntrantCount, 1);
    if (silent != brDraw) {
      EXPECT_EQ(h.Tournament.Entrants[0], &h.Tournament.Slots[silent == brFirstWins ? 0 : 1]);
    }
  }
}
