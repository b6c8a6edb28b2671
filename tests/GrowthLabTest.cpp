// The growth commands of the lab, run as an author would run them.
#include <gtest/gtest.h>

#include <algorithm>
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

// The rows of a tournaments report between its header and its summary.
struct TReport {
  std::string Header;
  std::vector<std::string> Rows;
  std::string Summary;
};

TReport Report(const TRun& run) {
  TReport report;
  if (run.Lines.size() < 2) return report;
  report.Header = run.Lines.front();
  report.Rows.assign(run.Lines.begin() + 1, run.Lines.end() - 1);
  report.Summary = run.Lines.back();
  return report;
}

// The numbers of a text row: line, played, wins, titles (in this order).
std::vector<long> RowNumbers(const std::string& row) {
  std::vector<long> numbers;
  std::size_t at = 0;
  for (int k = 0; k < 4; ++k) {
    std::size_t used = 0;
    numbers.push_back(std::stol(row.substr(at), &used));
    at += used;
  }
  return numbers;
}

}  // namespace

TEST(GrowthLab, TournamentsReportEveryRivalWithItsRosterLine) {
  // The hero's entry and 33 rivals: every tournament leaves one rival out,
  // and the hero's entry never plays.
  const std::string roster = WriteRoster(34);
  const std::string arguments = "tournaments --seed 3 --count 2 --roster " + roster;
  const TRun run = Lab(arguments);
  ASSERT_EQ(run.Status, 0);
  const TReport report = Report(run);
  EXPECT_EQ(report.Header,
            " line  played    wins  titles   share  name / starting build / grown build (times)");
  ASSERT_EQ(report.Rows.size(), 33u);
  long played = 0;
  long wins = 0;
  long titles = 0;
  long previousTitles = 2;
  std::vector<bool> seen(35, false);
  for (const std::string& row : report.Rows) {
    const std::vector<long> n = RowNumbers(row);
    // Each entry is five lines long: entry i has its "#Name" on line 5i - 4.
    ASSERT_EQ((n[0] - 1) % 5, 0) << row;
    const long entry = (n[0] - 1) / 5 + 1;
    ASSERT_GE(entry, 2) << "the hero's entry never plays: " << row;
    EXPECT_NE(row.find("剣師" + std::to_string(entry) + "  "), std::string::npos) << row;
    EXPECT_FALSE(seen[entry]) << row;
    seen[entry] = true;
    EXPECT_LE(n[3], previousTitles) << "most titles first";
    previousTitles = n[3];
    // A champion grew three times before the final: its row shows a build.
    if (n[3] > 0) {
      EXPECT_NE(row.find(" ⇒ "), std::string::npos) << row;
    }
    if (n[2] == 0) {
      EXPECT_EQ(row.find(" ⇒ "), std::string::npos) << row;
    }
    played += n[1];
    wins += n[2];
    titles += n[3];
  }
  EXPECT_EQ(played, 2 * 32);
  EXPECT_EQ(wins, 2 * 31);
  EXPECT_EQ(titles, 2);
  EXPECT_EQ(report.Summary.rfind("tournaments 2, distinct champions ", 0), 0u) << report.Summary;
  // The same seed gives the same report.
  const TReport again = Report(Lab(arguments));
  EXPECT_EQ(again.Rows, report.Rows);
}

TEST(GrowthLab, TournamentsTakeA32EntryRosterWithTheHerosEntryAsARival) {
  // The game accepts 32 entries; so does the lab: all 32 play every time.
  const TRun run = Lab("tournaments --seed 5 --count 3 --roster " + WriteRoster(32));
  ASSERT_EQ(run.Status, 0) << (run.Lines.empty() ? "" : run.Lines[0]);
  const TReport report = Report(run);
  ASSERT_EQ(report.Rows.size(), 32u);
  bool heroSeen = false;
  for (const std::string& row : report.Rows) {
    const std::vector<long> n = RowNumbers(row);
    EXPECT_EQ(n[1], 3) << row;
    heroSeen = heroSeen || (n[0] == 1 && row.find("剣師1  20/2/1/1/斬斬") != std::string::npos);
  }
  EXPECT_TRUE(heroSeen);
  // 31 are too few for the game, and for the lab: a fault of the file.
  EXPECT_EQ(Lab("tournaments --count 1 --roster " + WriteRoster(31)).Status, 1);
}

TEST(GrowthLab, TournamentsTellEntriesOfTheSameNameApartAndWriteCsv) {
  std::string path = WriteRoster(33);
  // Entry 33 takes the name of entry 2.
  std::string text = ReadWholeFile(path);
  const std::string last = Sj("#Name 剣師33");
  text.replace(text.find(last), last.size(), Sj("#Name 剣師2"));
  WriteWholeFile(path, text);
  const TRun run = Lab("tournaments --seed 1 --count 2 --csv --roster " + path);
  ASSERT_EQ(run.Status, 0);
  ASSERT_EQ(run.Lines.size(), 1u + 32u) << "header and one row per rival, no summary";
  EXPECT_EQ(run.Lines[0],
            "line,name,starting build,played,wins,titles,share,grown build,grown times");
  std::vector<std::string> twos;
  long titles = 0;
  for (std::size_t i = 1; i < run.Lines.size(); ++i) {
    const std::string& row = run.Lines[i];
    if (row.find(",剣師2,") != std::string::npos) twos.push_back(row.substr(0, row.find(',')));
    // Nine fields; the sixth is the titles.
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = row.find(',', start)) != std::string::npos; start = end + 1)
      fields.push_back(row.substr(start, end - start));
    fields.push_back(row.substr(start));
    ASSERT_EQ(fields.size(), 9u) << row;
    titles += std::stol(fields[5]);
  }
  EXPECT_EQ(titles, 2);
  // Two rows, told apart by their lines.
  std::sort(twos.begin(), twos.end());
  EXPECT_EQ(twos, (std::vector<std::string>{"161", "6"}));
}

TEST(GrowthLab, TournamentsShowProgressOnStandardErrorOnly) {
  int status = -1;
  const std::string roster = WriteRoster(32);
  const std::string errors =
      RunLabStderr("tournaments --seed 2 --count 2 --roster " + roster, status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(errors, "tournaments played: 1 of 2\ntournaments played: 2 of 2\n")
      << "the report itself goes to standard output";
  // Unknown options are named; a bad count is bad usage.
  EXPECT_NE(RunLabStderr("tournaments --jobz 2", status).find("unknown option '--jobz'"),
            std::string::npos);
  EXPECT_EQ(status, 2);
  RunLab("tournaments --count 0", status);
  EXPECT_EQ(status, 2);
}

TEST(GrowthLab, TournamentsGiveTheSameReportOnAnyNumberOfThreads) {
  const std::string roster = WriteRoster(34);
  const std::string arguments = "tournaments --seed 4 --count 5 --csv --roster " + roster;
  const TRun one = Lab(arguments + " --jobs 1");
  const TRun three = Lab(arguments + " --jobs 3");
  ASSERT_EQ(one.Status, 0);
  ASSERT_EQ(three.Status, 0);
  ASSERT_EQ(one.Lines.size(), 1u + 33u);
  EXPECT_EQ(three.Lines, one.Lines);
  int status = -1;
  RunLab("tournaments --jobs 0", status);
  EXPECT_EQ(status, 2);
}
