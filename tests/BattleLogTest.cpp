// The battle log store and the end of a round.
#include <gtest/gtest.h>

#include <stdexcept>

#include "battle/Battle.h"
#include "battle/BattleLog.h"
#include "data/Tournament.h"
#include "game/Game.h"
#include "game/Round.h"
#include "game/Step.h"
#include "growth/GrowthDriver.h"
#include "tests/EffectLog.h"
#include "tests/TestSupport.h"

TEST(BattleLogStore, ALogStartsAsSixBlankLinesAndKeepsEveryLineTillTheNextClear) {
  TGame game;
  TBattle& Battle = game.Battle;
  const TLogStore& LogStore = game.LogStore;
  Battle.LogOff = false;
  LogClear(Battle);
  EXPECT_EQ(LogStore.Lines, std::vector<std::string>(6));
  EXPECT_TRUE(LogStore.StepLines.empty());  // the blank lines are no step's
  for (int i = 0; i < 300; ++i) LogAppend(Battle, Sj("【第0ターン】"));
  ASSERT_EQ(LogStore.Lines.size(), 306u);
  EXPECT_EQ(U8(LogStore.Lines[305]), "【第0ターン】");
  // A new match within the step keeps the step's lines.
  LogClear(Battle);
  LogAppend(Battle, "x");
  EXPECT_EQ(LogStore.Lines.size(), 7u);
  EXPECT_EQ(LogStore.StepLines.size(), 301u);
  // While the log is off nothing is stored.
  LogStepStart(game.LogStore);
  Battle.LogOff = true;
  LogAppend(Battle, "x");
  LogClear(Battle);
  EXPECT_EQ(LogStore.Lines.size(), 7u);
  EXPECT_TRUE(LogStore.StepLines.empty());
}

TEST(RoundEnd, TheEntrantsStillInCloseUpInBracketOrder) {
  TGame game;
  TTournament& t = game.Tournament;
  for (int k = 0; k < 8; ++k) {
    t.Slots[k].Name = "e" + std::to_string(k);
    t.Entrants[k] = &t.Slots[k];
    t.Slots[k].InTournament = k % 2 == (k < 4 ? 0 : 1);  // winners 0, 2, 5, 7
  }
  t.EntrantCount = 8;
  t.Hero = &t.Slots[2];
  t.Hero->Bonus = 1;
  t.Hero->Wins = 2;
  t.Stage = 3;
  TEffectLog shell;
  RunGameStep(game, shell, [&] { EndRound(game); });
  ASSERT_EQ(t.EntrantCount, 4);
  EXPECT_EQ(t.Entrants[0], &t.Slots[0]);
  EXPECT_EQ(t.Entrants[1], &t.Slots[2]);
  EXPECT_EQ(t.Entrants[2], &t.Slots[5]);
  EXPECT_EQ(t.Entrants[3], &t.Slots[7]);
  EXPECT_EQ(t.HeroEdit.Name, "e2");
  EXPECT_EQ(t.HeroEdit.Bonus, 1);
  EXPECT_EQ(t.HeroEdit.Wins, 2);
  EXPECT_TRUE(game.Growth.Growing);
  EXPECT_EQ(game.Mode, gmBoard);
}

TEST(RoundEnd, TheRivalsGrowAfterEveryRoundUpToTheFinal) {
  for (int stage : {FirstGrownStage, FinalStage, EndStage}) {
    TGame game;
    TTournament& t = game.Tournament;
    for (int k = 0; k < 2; ++k) t.Entrants[k] = &t.Slots[k];
    t.EntrantCount = 2;
    t.Hero = &t.Slots[0];
    t.Stage = stage;
    EndRound(game);
    EXPECT_EQ(game.Growth.Growing, stage <= FinalStage) << stage;
  }
}
