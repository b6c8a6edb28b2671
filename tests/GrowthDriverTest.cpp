// The growth driver: one slice per tick, the percentages it shows, and grown
// builds equal to those of the whole search run at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "data/Tournament.h"
#include "game/Game.h"
#include "growth/GrowthDriver.h"
#include "growth/GrowthSearch.h"
#include "rules/Random.h"
#include "rules/SjisText.h"
#include "tests/TestSupport.h"

namespace {

TSpec Build(int hp, int attack, int defence, int speed, const std::string& swordsUtf8) {
  return SpecOf(hp, attack, defence, speed, swordsUtf8);
}

// Sixteen rivals as a round leaves them (one point more than the roster's 10).
std::vector<TSpec> Rivals() {
  return {Build(15, 3, 1, 1, "絶確"),     Build(10, 2, 0, 3, "斬斬斬斬"),
          Build(10, 2, 0, 2, "毒猛斬斬"), Build(15, 2, 0, 2, "盗盗斬"),
          Build(10, 2, 0, 2, "鏡鏡斬斬"), Build(20, 2, 0, 2, "滅星斬"),
          Build(20, 2, 1, 1, "死斬"),     Build(0, 2, 1, 2, "臥臥斬斬斬"),
          Build(15, 2, 0, 2, "先斬斬"),   Build(25, 0, 2, 1, "押盾"),
          Build(15, 2, 0, 1, "儀儀斬斬"), Build(20, 2, 1, 1, "回斬"),
          Build(15, 2, 1, 1, "癒斬斬"),   Build(15, 2, 1, 1, "命魂斬"),
          Build(15, 2, 0, 2, "導絶斬"),   Build(15, 2, 0, 2, "振斬斬斬")};
}

void Seat(TTournament& t, const std::vector<TSpec>& builds) {
  for (std::size_t i = 0; i < builds.size(); ++i) {
    t.Slots[i].Name = "rival " + std::to_string(i);
    t.Slots[i].Spec = builds[i];
    t.Entrants[i] = &t.Slots[i];
  }
  t.EntrantCount = static_cast<std::int32_t>(builds.size());
  t.Stage = 2;
}

// A game of its own with the builds seated at stage 2.
std::unique_ptr<TGame> SeatEntrants(const std::vector<TSpec>& builds) {
  auto g = std::make_unique<TGame>();
  Seat(g->Tournament, builds);
  return g;
}

void StartGrowth(TGame& g) {
  StartGrowth(g.Growth, g.Tournament);
}

bool GrowthTick(TGame& g) {
  return GrowthTick(g.Growth, g.Tournament, g.Dice);
}

// What each tick did, for a whole growth.
struct TTickLog {
  std::vector<std::int32_t> Remaining;
  std::vector<std::int64_t> Battles;
};

TTickLog RunToEnd(TGame& g) {
  TTickLog log;
  while (g.Growth.Growing) {
    const std::int64_t before = g.Growth.BattlesPlayed;
    EXPECT_TRUE(GrowthTick(g));
    log.Battles.push_back(g.Growth.BattlesPlayed - before);
    log.Remaining.push_back(g.Growth.Remaining);
  }
  return log;
}

}  // namespace

TEST(GrowthDriver, ARoundOfSixteenCountsDownOneSlicePerTick) {
  const std::vector<TSpec> builds = Rivals();
  const auto g = SeatEntrants(builds);
  g->Dice.Seed(31);
  StartGrowth(*g);
  EXPECT_TRUE(g->Growth.Growing);
  EXPECT_EQ(g->Growth.Remaining, 100);
  const TTickLog log = RunToEnd(*g);
  EXPECT_EQ(log.Remaining.back(), 0);
  EXPECT_FALSE(g->Growth.Growing);
  std::int32_t previous = 100;
  for (std::int32_t r : log.Remaining) {
    EXPECT_LE(r, previous);
    previous = r;
  }

  // Entrant by entrant: its growth slices, its order slices, then Store,
  // each slice one battle per candidate of the opponent.
  TRandom dice;
  std::size_t tick = 0;
  for (int i = 0; i < 16; ++i) {
    const TSpec& me = builds[i];
    const TSpec& partner = builds[i ^ 1];
    const std::size_t growth = GrowthCandidates(me, partner, dice).size();
    const std::int64_t opponents =
        static_cast<std::int64_t>(GrowthCandidates(partner, me, dice).size());
    const std::size_t orders =
        TBromString::CharCount(g->Tournament.GrownSpecs[i].Swords) <= 1 ? 1 : 30;
    // The entrant's share of 100 %: growth slices walk its first half, order
    // slices its second, each percentage taken before the slice's k advances.
    const std::int32_t share = (16 - i) * 100 / 16;
    for (std::size_t s = 0; s < growth + orders; ++s, ++tick) {
      ASSERT_LT(tick, log.Battles.size());
      EXPECT_EQ(log.Battles[tick], opponents) << "entrant " << i << " slice " << s;
      const std::int32_t walked =
          s < growth ? static_cast<std::int32_t>(s * 50 / growth) / 16
                     : static_cast<std::int32_t>((s - growth) * 50 / orders + 50) / 16;
      EXPECT_EQ(log.Remaining[tick], share - walked) << "entrant " << i << " slice " << s;
    }
    ASSERT_LT(tick, log.Battles.size());
    EXPECT_EQ(log.Battles[tick], 0) << "store of entrant " << i;
    EXPECT_EQ(log.Remaining[tick], (16 - (i + 1)) * 100 / 16);
    if (i == 0) {
      EXPECT_EQ(log.Remaining[tick], 93);
    }
    if (i == 1) {
      EXPECT_EQ(log.Remaining[tick], 87);
    }
    ++tick;
  }
  EXPECT_EQ(tick, log.Battles.size());
  // The entrants' own builds are untouched until their next match.
  for (int i = 0; i < 16; ++i) EXPECT_EQ(g->Tournament.Slots[i].Spec, builds[i]);
}

TEST(GrowthDriver, GrowsTheSameBuildsAsTheWholeSearchRunAtOnce) {
  for (const std::vector<TSpec>& builds :
       {std::vector<TSpec>{Build(20, 2, 1, 1, "斬闇"), Build(15, 2, 0, 2, "振斬斬斬")},
        std::vector<TSpec>{Build(15, 3, 1, 1, "絶確"), Build(10, 2, 0, 2, "毒猛斬斬"),
                           Build(15, 2, 0, 2, "導絶斬"), Build(20, 2, 1, 1, "死斬")}}) {
    const auto g = SeatEntrants(builds);
    g->Dice.Seed(404);
    StartGrowth(*g);
    RunToEnd(*g);
    // Each entrant grows from the builds as the round left them, against
    // its partner (0 with 1, 2 with 3).
    TRandom dice(404);
    for (std::size_t i = 0; i < builds.size(); ++i) {
      EXPECT_EQ(g->Tournament.GrownSpecs[i], GrowOne(builds[i], builds[i ^ 1], dice))
          << "entrant " << i;
    }
  }
}

TEST(GrowthDriver, AGameGrowsTheSameBesideAnotherOnOneThread) {
  // Game A grows alone, then again while game B grows other rivals with other
  // dice, a tick of each in turn.
  const auto alone = std::make_unique<TGame>(), a = std::make_unique<TGame>();
  const auto b = std::make_unique<TGame>();
  std::vector<TSpec> others = Rivals();
  std::reverse(others.begin(), others.end());
  for (TGame* g : {alone.get(), a.get(), b.get()}) {
    Seat(g->Tournament, g == b.get() ? others : Rivals());
    g->Dice.Seed(g == b.get() ? 32 : 31);
    StartGrowth(g->Growth, g->Tournament);
  }
  while (GrowthTick(alone->Growth, alone->Tournament, alone->Dice)) {
  }
  while (a->Growth.Growing || b->Growth.Growing) {
    GrowthTick(a->Growth, a->Tournament, a->Dice);
    GrowthTick(b->Growth, b->Tournament, b->Dice);
  }
  for (int i = 0; i < GrownSpecCount; ++i)
    EXPECT_EQ(a->Tournament.GrownSpecs[i], alone->Tournament.GrownSpecs[i]) << "entrant " << i;
}

TEST(GrowthDriver, AChosenBuildOfOneSwordTakesASingleOrderSlice) {
  // Without speed only HP and speed are offered, so the sword list stays at
  // one sword: 2 growth slices, 1 order slice and the store.
  const auto g = SeatEntrants({Build(20, 2, 1, 0, "斬"), Build(20, 2, 1, 0, "")});
  g->Dice.Seed(9);
  StartGrowth(*g);
  const TTickLog log = RunToEnd(*g);
  ASSERT_EQ(log.Battles.size(), 8u);
  EXPECT_EQ(log.Battles, (std::vector<std::int64_t>{2, 2, 2, 0, 2, 2, 2, 0}));
  EXPECT_EQ(log.Remaining, (std::vector<std::int32_t>{100, 88, 75, 50, 50, 38, 25, 0}));
  EXPECT_EQ(TBromString::CharCount(g->Tournament.GrownSpecs[0].Swords), 1);
}

TEST(GrowthDriver, IdleTicksDoNothingAndALoneEntrantKeepsItsBuild) {
  auto g = SeatEntrants({Build(20, 2, 1, 1, "斬"), Build(20, 2, 1, 1, "斬")});
  const std::int64_t before = g->Growth.BattlesPlayed;
  EXPECT_FALSE(GrowthTick(*g));
  EXPECT_FALSE(GrowthTick(*g));
  EXPECT_EQ(g->Growth.BattlesPlayed, before);
  EXPECT_FALSE(g->Growth.Growing);
  // A lone entrant has nobody to grow against: one tick, no battle.
  g = SeatEntrants({Build(20, 2, 1, 1, "斬闇")});
  StartGrowth(*g);
  EXPECT_TRUE(g->Growth.Growing);
  EXPECT_EQ(g->Growth.Remaining, 100);
  EXPECT_TRUE(GrowthTick(*g));
  EXPECT_FALSE(g->Growth.Growing);
  EXPECT_EQ(g->Growth.Remaining, 0);
  EXPECT_EQ(g->Tournament.GrownSpecs[0], Build(20, 2, 1, 1, "斬闇"));
  EXPECT_EQ(g->Growth.BattlesPlayed, before);
  g->Tournament.EntrantCount = 17;
  EXPECT_THROW(StartGrowth(*g), std::logic_error);
}
