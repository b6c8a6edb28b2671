// The growth commands of the lab, run as an author would run them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/TestSupport.h"

namespace {

struct TRun {
  int Status = -1;
  std::vector<std::string> Lines;
};

TRun Lab(const std::string& arguments) {
  TRun run;
  const std::string command = std::string(QUILLMOOR_LAB_PATH) + " " + arguments + " 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  run.Status = pclose(pipe);
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    run.Lines.push_back(out.substr(start, end - start));
  }
  return run;
}

}  // namespace

TEST(GrowthLab, CandidatesAndTheOrderCheck) {
  TRun run = Lab("candidates --seed 4 20/3/2/1/斬斬闇 20/3/2/1/斬");
  ASSERT_EQ(run.Status, 0);
  ASSERT_EQ(run.Lines.size(), 47u);
  EXPECT_EQ(run.Lines[0], "25/3/2/1/斬斬闇");
  EXPECT_EQ(run.Lines[34], "20/3/2/1/導斬斬闇");
  EXPECT_EQ(run.Lines[44], "20/3/2/1/斬豪斬闇");
  // The same seed gives the same list.
  EXPECT_EQ(Lab("candidates --seed 4 20/3/2/1/斬斬闇 20/3/2/1/斬").Lines, run.Lines);

  EXPECT_EQ(Lab("well-formed 導振斬").Lines, std::vector<std::string>{"yes"});
  EXPECT_EQ(Lab("well-formed 振毒").Lines, std::vector<std::string>{"no"});
  EXPECT_NE(Lab("well-formed 斬x").Status, 0);
  EXPECT_NE(Lab("candidates 20/3/2/1 20/3/2/1/斬").Status, 0);
}

TEST(GrowthLab, GrowAndARoundOfGrowth) {
  TRun grow = Lab("grow --seed 8 20/2/1/1/斬闇 15/2/0/2/振斬斬");
  ASSERT_EQ(grow.Status, 0);
  ASSERT_EQ(grow.Lines.size(), 1u);
  EXPECT_EQ(Lab("grow --seed 8 20/2/1/1/斬闇 15/2/0/2/振斬斬").Lines, grow.Lines);

  // A roster of the hero and four rivals; the round grows rivals 2 to 5.
  const std::string folder = MakeTempFolder();
  std::string roster;
  const char* builds[] = {"20/2/1/1/斬斬", "15/3/1/1/絶確", "10/2/0/3/斬斬斬", "20/2/1/1/死斬",
                          "15/2/0/2/先斬斬"};
  for (int i = 0; i < 5; ++i) {
    roster += "#Name 剣師" + std::to_string(i + 1) + "\r\n#Spec " + builds[i] +
              "\r\n#Image\r\n#FlavorBegin\r\n#FlavorEnd\r\n";
  }
  WriteWholeFile(folder + "/roster.txt", Sj(roster));
  TRun round = Lab("grow-round --seed 2 --entrants 4 --roster " + folder + "/roster.txt");
  ASSERT_EQ(round.Status, 0);
  ASSERT_EQ(round.Lines.size(), 5u);
  EXPECT_EQ(round.Lines[0].rfind("剣師2  15/3/1/1/絶確 ⇒ ", 0), 0u) << round.Lines[0];
  EXPECT_EQ(round.Lines[3].rfind("剣師5  15/2/0/2/先斬斬 ⇒ ", 0), 0u) << round.Lines[3];
  EXPECT_EQ(round.Lines[4].rfind("ticks ", 0), 0u) << round.Lines[4];
  // Six entrants need seven entries.
  EXPECT_NE(Lab("grow-round --entrants 6 --roster " + folder + "/roster.txt").Status, 0);
  EXPECT_NE(Lab("grow-round --entrants 3 --roster " + folder + "/roster.txt").Status, 0);
}
