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
  const std::string out = RunLab(arguments, run.Status);
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    run.Lines.push_back(out.substr(start, end - start));
  }
  return run;
}

// A valid roster of `count` entries cycling through a few builds, with the
// default portrait beside it; returns its path.
std::string WriteRoster(int count) {
  const std::string folder = MakeTempFolder();
  const char* builds[] = {"20/2/1/1/斬斬",   "15/3/1/1/絶確", "10/2/0/3/斬斬斬", "20/2/1/1/死斬",
                          "15/2/0/2/先斬斬", "25/0/2/1/押盾", "15/2/0/2/振斬斬"};
  std::string roster;
  for (int i = 0; i < count; ++i) {
    roster += "#Name 剣師" + std::to_string(i + 1) + "\r\n#Spec " + builds[i % 7] +
              "\r\n#Image\r\n#FlavorBegin\r\n#FlavorEnd\r\n";
  }
  WriteWholeFile(folder + "/roster.txt", Sj(roster));
  // Portraits are looked up beside the roster.
  WriteWholeFile(folder + "/noimage.bmp", ReadWholeFile(SourcePath("dat/noimage.bmp")));
  return folder + "/roster.txt";
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
  // A build of more than 20 swords is refused, not quietly cut to 20.
  std::string twentyOne;
  for (int i = 0; i < 21; ++i) twentyOne += "斬";
  EXPECT_NE(Lab("candidates 20/1/1/1/" + twentyOne + " 20/1/1/1/").Status, 0);
  EXPECT_NE(Lab("grow 20/1/1/1/ 20/1/1/1/" + twentyOne).Status, 0);
  EXPECT_EQ(Lab("candidates 20/1/1/1/" + twentyOne.substr(0, 20 * std::string("斬").size()) +
                " 20/1/1/1/")
                .Status,
            0);
}

TEST(GrowthLab, GrowAndARoundOfGrowth) {
  TRun grow = Lab("grow --seed 8 20/2/1/1/斬闇 15/2/0/2/振斬斬");
  ASSERT_EQ(grow.Status, 0);
  ASSERT_EQ(grow.Lines.size(), 1u);
  EXPECT_EQ(Lab("grow --seed 8 20/2/1/1/斬闇 15/2/0/2/振斬斬").Lines, grow.Lines);

  // The round grows rivals 2 to 5 of the roster.
  const std::string roster = WriteRoster(32);
  TRun round = Lab("grow-round --seed 2 --entrants 4 --roster " + roster);
  ASSERT_EQ(round.Status, 0);
  ASSERT_EQ(round.Lines.size(), 5u);
  EXPECT_EQ(round.Lines[0].rfind("剣師2  15/3/1/1/絶確 ⇒ ", 0), 0u) << round.Lines[0];
  EXPECT_EQ(round.Lines[3].rfind("剣師5  15/2/0/2/先斬斬 ⇒ ", 0), 0u) << round.Lines[3];
  EXPECT_EQ(round.Lines[4].rfind("ticks ", 0), 0u) << round.Lines[4];
  // A roster of 32 entries has rivals enough for 16 entrants; an odd count
  // cannot pair, and a short roster does not load.
  EXPECT_EQ(Lab("grow-round --entrants 16 --roster " + roster).Lines.size(), 17u);
  EXPECT_NE(Lab("grow-round --entrants 3 --roster " + roster).Status, 0);
  EXPECT_NE(Lab("grow-round --entrants 2 --roster " + WriteRoster(31)).Status, 0);
}

TEST(GrowthLab, TournamentsCountEveryChampionOnce) {
  // The hero's entry and 33 rivals: every tournament leaves one out.
  const std::string roster = WriteRoster(34);
  const std::string arguments = "tournaments --seed 3 --count 2 --roster " + roster;
  const TRun run = Lab(arguments);
  ASSERT_EQ(run.Status, 0);
  ASSERT_GE(run.Lines.size(), 2u);
  ASSERT_LE(run.Lines.size(), 4u);
  // One line per champion, most titles first, then the summary.
  long total = 0;
  long previous = 2;
  for (std::size_t i = 0; i + 1 < run.Lines.size(); ++i) {
    const long titles = std::stol(run.Lines[i]);
    EXPECT_LE(titles, previous);
    EXPECT_EQ(run.Lines[i].find("剣師1 "), std::string::npos) << "the hero's entry never plays";
    previous = titles;
    total += titles;
  }
  EXPECT_EQ(total, 2);
  EXPECT_EQ(
      run.Lines.back().rfind(
          "distinct champions " + std::to_string(run.Lines.size() - 1) + ", tournaments 2, ", 0),
      0u)
      << run.Lines.back();
  // The same seed crowns the same champions.
  const TRun again = Lab(arguments);
  ASSERT_EQ(again.Lines.size(), run.Lines.size());
  for (std::size_t i = 0; i + 1 < run.Lines.size(); ++i) EXPECT_EQ(again.Lines[i], run.Lines[i]);
}
