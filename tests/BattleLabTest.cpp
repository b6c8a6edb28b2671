// The lab's battle and simulate commands, run as a roster author would run
// them. The golden logs were worked out by hand from the rules.
#include <gtest/gtest.h>

#include <random>

#include "tests/TestSupport.h"

TEST(BattleLab, HandWorkedLogsMatchLineForLineWithCues) {
  struct TGolden {
    const char* File;
    const char* Arguments;
  };
  const TGolden goldens[] = {
      {"battle_short.txt", "--steps --seed 1 剣士 20/6/0/1/斬 案山子 10/0/1/0/"},
      {"battle_mirror_stun.txt",
       "--steps --seed 3 --stage 2 鏡使い 10/0/0/1/鏡 突撃者 15/4/0/1/衝"},
      {"battle_final_skip.txt",
       "--steps --seed 3 --stage 5 --skip-at 2 剣士 20/6/0/1/斬 案山子 10/0/1/0/"},
  };
  for (const TGolden& g : goldens) {
    SCOPED_TRACE(g.File);
    int status = -1;
    const std::string out = RunLab(std::string("battle ") + g.Arguments, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, ReadWholeFile(SourcePath(std::string("tests/golden/") + g.File)));
  }
}

TEST(BattleLab, WithoutStepsOnlyTheLinesArePrinted) {
  int status = -1;
  const std::string out = RunLab("battle --seed 1 剣士 20/6/0/1/斬 案山子 10/0/1/0/", status);
  EXPECT_EQ(status, 0);
  std::string expected;
  for (const char* line :
       {"第一回戦  1/1", "剣士 vs 案山子", "", "【第0ターン】", "", "【第1ターン】", "",
        "剣士の斬撃剣！", "案山子に5ダメージを与えた！", "", "【第2ターン】", "", "剣士の斬撃剣！",
        "案山子に5ダメージを与えた！", "案山子は死んだ。", "", "-- 戦闘終了 --", "剣士の勝利！",
        "剣士は途心を1獲得した。"}) {
    expected += std::string(line) + "\n";
  }
  EXPECT_EQ(out, expected);
}

TEST(BattleLab, AMalformedBuildIsAFaultAndAMalformedCommandLineBadUsage) {
  int status = -1;
  // The roster's message for the build, and the build: exit code 1.
  EXPECT_EQ(RunLab("battle A 20/3/2/1 B 20/3/2/1/", status, true),
            "不正な記述です。スラッシュは4個でなくてはなりません。 (20/3/2/1)\n");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(RunLab("simulate 20/3/2/1/ 21/0/0/0/", status, true),
            "HPは5の倍数でなくてはなりません。 (21/0/0/0/)\n");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(RunLab("simulate 20/3/2/1/刀 20/0/0/0/", status, true),
            "剣の記述が不正です。 (20/3/2/1/刀)\n");
  EXPECT_EQ(status, 1);
  // A stage out of range, a missing build, an unknown option: exit code 2,
  // the option named.
  EXPECT_NE(RunLabStderr("battle --stage 6 A 20/3/2/1/ B 20/3/2/1/", status)
                .find("--stage needs a whole number from 1 to 5, not '6'"),
            std::string::npos);
  EXPECT_EQ(status, 2);
  RunLab("simulate 20/3/2/1/", status);
  EXPECT_EQ(status, 2);
  EXPECT_NE(RunLabStderr("battle --stpes A 20/3/2/1/ B 20/3/2/1/", status)
                .find("unknown option '--stpes'"),
            std::string::npos);
  EXPECT_EQ(status, 2);
}

TEST(BattleLab, SimulatePrintsTheResultCode) {
  int status = -1;
  EXPECT_EQ(RunLab("simulate 20/6/0/1/斬 10/0/1/0/", status), "20\n");
  EXPECT_EQ(RunLab("simulate 10/0/1/0/ 20/6/0/1/斬", status), "0\n");
  EXPECT_EQ(RunLab("simulate 20/0/0/0/ 20/0/0/0/", status), "10\n");
  EXPECT_EQ(status, 0);
  // No bonus-total check: any well-formed build fights; numbers that outgrow
  // 32 bits wrap around instead of breaking the battle.
  EXPECT_EQ(RunLab("simulate 2000000000/3/0/1/ -5/-3/-7/0/", status), "20\n");
  const std::string wild = RunLab(
      "simulate 2000000000/2000000000/-2000000000/3/灼灼重連臥 1000/-3/2147483647/2/怒滅死魔",
      status);
  EXPECT_TRUE(wild == "0\n" || wild == "10\n" || wild == "20\n") << wild;
  EXPECT_EQ(status, 0);
}

TEST(BattleLab, RandomBuildsAlwaysComeToAnEnd) {
  std::mt19937 rng(99);
  const char* marks[] = {"斬", "闇", "衝", "毒", "猛", "戟", "撹", "盗", "連", "確", "絶", "重",
                         "魔", "死", "怒", "滅", "熱", "護", "速", "灼", "盾", "命", "魂", "鏡",
                         "押", "先", "回", "癒", "儀", "臥", "導", "振", "薬", "豪", "星"};
  for (int i = 0; i < 12; ++i) {
    std::string builds[2];
    for (std::string& b : builds) {
      int n[4] = {0, 0, 0, 0};
      std::string swords;
      for (int p = 0; p < 10; ++p) {
        const int w = static_cast<int>(rng() % 6);
        if (w < 4) {
          ++n[w];
        } else {
          swords += marks[rng() % 35];
        }
      }
      b = std::to_string(n[0] * 5) + "/" + std::to_string(n[1]) + "/" + std::to_string(n[2]) + "/" +
          std::to_string(n[3]) + "/" + swords;
    }
    SCOPED_TRACE(builds[0] + " vs " + builds[1]);
    int status = -1;
    const std::string out =
        RunLab("battle --steps --stage " + std::to_string(1 + i % 5) + " --seed " +
                   std::to_string(i) + " A " + builds[0] + " B " + builds[1],
               status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("-- 戦闘終了 --"), std::string::npos);
    EXPECT_TRUE(out.find("Aの勝利！") != std::string::npos ||
                out.find("Bの勝利！") != std::string::npos);
  }
}
