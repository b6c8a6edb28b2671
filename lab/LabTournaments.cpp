// Lab command for roster authors: many whole tournaments played silently,
// to see which entrants the roster makes champions. Each tournament follows
// the game's own rule steps: the draw, the matches of a round in bracket
// order, the verdict and the bonus point, the close of the round and the
// growth of every entrant still in. Every match is fought by the real battle
// engine to its verdict (equal HP settled by the coin toss, as in a real
// match) and the real growth driver grows the entrants between rounds.
//
// No player makes a hero here. With 33 or more entries the 32 slots are all
// rivals (entries 2 to N); with 32 entries the hero's entry plays too, as one
// more rival with the build the roster gives it.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "data/Roster.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "growth/GrowthDriver.h"
#include "lab/Lab.h"
#include "lab/LabGrowthCommon.h"
#include "lab/LabInput.h"
#include "lab/LabOptions.h"
#include "rules/Random.h"

namespace {

constexpr int SimulationDraw = 10;
constexpr int SimulationFirstWins = 20;
constexpr long long MaxCount = 1000000;

// What one tournament leaves behind, by slot.
struct TTournamentOutcome {
  int Entry[SlotCount] = {};     // the roster index of each slot's entrant
  int Wins[SlotCount] = {};      // matches each slot won
  std::string Build[SlotCount];  // the build each slot fought its last match with
  int Champion = 0;              // the roster index of the champion
};

// The draw from the roster. With 32 entries it is the game's draw as it is,
// the hero's entry in a random slot. With more, a rival drawn at random
// takes the hero's place in the game's draw and the others are drawn from the
// rest, so every rival has the same chance of every slot.
void DrawField(const std::vector<TSwordia>& roster, TTournament& t, int (&entry)[SlotCount]) {
  std::vector<TSwordia> field;
  std::vector<int> origin;
  if (roster.size() == static_cast<std::size_t>(SlotCount)) {
    field = roster;
    for (int i = 0; i < SlotCount; ++i) origin.push_back(i);
  } else {
    const int first = 1 + Random(static_cast<std::int32_t>(roster.size()) - 1);
    field.push_back(roster[static_cast<std::size_t>(first)]);
    origin.push_back(first);
    for (int i = 1; i < static_cast<int>(roster.size()); ++i) {
      if (i == first) continue;
      field.push_back(roster[static_cast<std::size_t>(i)]);
      origin.push_back(i);
    }
  }
  int drawn[SlotCount];
  DrawEntrants(t, field, &drawn);
  for (int k = 0; k < SlotCount; ++k) entry[k] = origin[static_cast<std::size_t>(drawn[k])];
  // Everybody is a rival: the growth driver grows every entrant still in.
  t.Hero = nullptr;
}

// One match of the current stage, fought silently to its verdict.
void PlayMatch(TTournament& t, int m) {
  TSwordia& a = *t.Entrants[2 * m];
  TSwordia& b = *t.Entrants[2 * m + 1];
  // 1. From the second round on, each side opens with the build it grew into;
  // growing spent its bonus point.
  if (t.Stage >= FirstGrownStage) {
    a.Spec = GrownSpecs[2 * m];
    b.Spec = GrownSpecs[2 * m + 1];
    a.Bonus = 0;
    b.Bonus = 0;
  }
  // 2. The battle; equal HP without a push is settled by the coin toss.
  int result = SimulateBattle(a.Spec, b.Spec);
  if (result == SimulationDraw) result = Random(2) == 0 ? SimulationFirstWins : 0;
  TSwordia& winner = result == SimulationFirstWins ? a : b;
  TSwordia& loser = &winner == &a ? b : a;
  // 3. The verdict and, before the final, the bonus point.
  RecordMatchResult(t, winner, loser);
  AwardBonus(t, winner);
}

TTournamentOutcome PlayTournament(const std::vector<TSwordia>& roster) {
  ResetTournament();
  ResetGrowth();
  TTournament& t = Tournament;
  TTournamentOutcome outcome;
  // 1. The draw; the first round starts with every slot in.
  DrawField(roster, t, outcome.Entry);
  EnterAllSlots(t);
  t.Stage = FirstRoundStage;
  // 2. Round after round: the matches in bracket order, the close of the
  // round, and the growth of everybody still in before the next one.
  while (t.Stage <= FinalStage) {
    for (int m = 0; m < t.EntrantCount / 2; ++m) PlayMatch(t, m);
    ++t.Stage;
    CloseRound(t);
    if (t.Stage >= FirstGrownStage && t.Stage <= FinalStage) {
      StartGrowth();
      while (IsGrowing()) GrowthTick();
    }
  }
  // 3. What every slot came to.
  for (int k = 0; k < SlotCount; ++k) {
    outcome.Wins[k] = t.Slots[k].Wins;
    outcome.Build[k] = BuildText(t.Slots[k].Spec);
  }
  outcome.Champion = outcome.Entry[t.Entrants[0] - t.Slots];
  return outcome;
}

// The totals of one roster entry over all tournaments.
struct TEntrantTotals {
  long long Played = 0;
  long long Wins = 0;
  long long Titles = 0;
  std::map<std::string, long long> GrownBuilds;  // last build of each run past round 1
};

void AddOutcome(const TTournamentOutcome& outcome, std::vector<TEntrantTotals>& totals) {
  for (int k = 0; k < SlotCount; ++k) {
    TEntrantTotals& e = totals[static_cast<std::size_t>(outcome.Entry[k])];
    ++e.Played;
    e.Wins += outcome.Wins[k];
    // Only an entrant that won a match has grown.
    if (outcome.Wins[k] > 0) ++e.GrownBuilds[outcome.Build[k]];
  }
  ++totals[static_cast<std::size_t>(outcome.Champion)].Titles;
}

// The most frequent grown build and how often; the first in build order on a
// tie. Empty when the entrant never grew.
std::pair<std::string, long long> FavouriteBuild(const TEntrantTotals& e) {
  std::pair<std::string, long long> best{"", 0};
  for (const auto& [build, times] : e.GrownBuilds) {
    if (times > best.second) best = {build, times};
  }
  return best;
}

// Progress on standard error: a counter rewritten in place on a terminal, a
// line at every tenth otherwise.
class TProgress {
 public:
  explicit TProgress(long long count) : count_(count), terminal_(isatty(2) != 0) {}
  void Done(long long done) {
    if (terminal_) {
      std::fprintf(stderr, "\rtournaments played: %lld of %lld", done, count_);
      if (done == count_) std::fputc('\n', stderr);
    } else if (done * 10 / count_ != (done - 1) * 10 / count_) {
      std::fprintf(stderr, "tournaments played: %lld of %lld\n", done, count_);
    }
    std::fflush(stderr);
  }

 private:
  long long count_;
  bool terminal_;
};

// A CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

int Tournaments(const TLabArgs& args) {
  // 1. The options.
  TLabOptions options("tournaments", args);
  long long seed = -1;
  long long count = 10;
  std::string rosterArg;
  bool hasRoster = false;
  const bool csv = options.Flag("--csv");
  const bool utf8 = options.Flag("--utf8");
  if (!options.Number("--seed", 0, 0xFFFFFFFFLL, seed) ||
      !options.Number("--count", 1, MaxCount, count) ||
      !options.Value("--roster", rosterArg, hasRoster) || !options.Finish()) {
    return LabExitUsage;
  }
  if (!options.Operands().empty()) {
    return options.UsageError("unexpected argument '" + options.Operands()[0] + "'");
  }
  // 2. The roster, read as the game reads it.
  TLabTextFile file;
  bool usage = false;
  if (!file.Open("tournaments", rosterArg, RosterFileName, utf8, usage)) {
    return usage ? LabExitUsage : LabExitFault;
  }
  file.WarnIfUtf8("tournaments");
  TLabRoster roster;
  std::string fault;
  if (!ReadLabRoster(file, roster, fault)) {
    LabError(fault);
    return LabExitFault;
  }
  // 3. The tournaments.
  SeedRandom(seed);
  std::vector<TEntrantTotals> totals(roster.Entries.size());
  TProgress progress(count);
  const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  for (long long n = 1; n <= count; ++n) {
    AddOutcome(PlayTournament(roster.Entries), totals);
    progress.Done(n);
  }
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
  ResetTournament();
  ResetGrowth();

  // 4. The report: every entry that can be drawn, most titles first, then
  // most wins, then roster order.
  std::vector<int> order;
  const int first = roster.Entries.size() == static_cast<std::size_t>(SlotCount) ? 0 : 1;
  int champions = 0;
  for (int i = first; i < static_cast<int>(roster.Entries.size()); ++i) {
    order.push_back(i);
    if (totals[static_cast<std::size_t>(i)].Titles > 0) ++champions;
  }
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
    const TEntrantTotals& a = totals[static_cast<std::size_t>(x)];
    const TEntrantTotals& b = totals[static_cast<std::size_t>(y)];
    return a.Titles != b.Titles ? a.Titles > b.Titles : a.Wins > b.Wins;
  });
  char text[200];
  if (csv) {
    LabPrint("line,name,starting build,played,wins,titles,share,grown build,grown times");
  } else {
    LabPrint(" line  played    wins  titles   share  name / starting build / grown build (times)");
  }
  for (int i : order) {
    const TSwordia& entry = roster.Entries[static_cast<std::size_t>(i)];
    const TEntrantTotals& e = totals[static_cast<std::size_t>(i)];
    const auto [grown, times] = FavouriteBuild(e);
    const double share = 100.0 * static_cast<double>(e.Titles) / static_cast<double>(count);
    const int line = roster.NameLines[static_cast<std::size_t>(i)];
    if (csv) {
      std::snprintf(text, sizeof text, "%d,", line);
      std::string row = text + CsvField(entry.Name) + "," + CsvField(BuildText(entry.Spec));
      std::snprintf(text, sizeof text, ",%lld,%lld,%lld,%.1f,", e.Played, e.Wins, e.Titles, share);
      LabPrint(row + text + CsvField(grown) + "," + std::to_string(times));
    } else {
      std::snprintf(text, sizeof text, "%5d  %6lld  %6lld  %6lld  %5.1f%%  ", line, e.Played,
                    e.Wins, e.Titles, share);
      std::string row = text + entry.Name + "  " + BuildText(entry.Spec);
      if (times > 0) row += "  ⇒ " + grown + " (" + std::to_string(times) + ")";
      LabPrint(row);
    }
  }
  std::snprintf(text, sizeof text,
                "tournaments %lld, distinct champions %d, CPU %.3f s per tournament", count,
                champions, cpu / static_cast<double>(count));
  if (csv) {
    LabError(text);
  } else {
    LabPrint(text);
  }
  return LabExitFine;
}

const TLabRegistration tournamentsCommand(
    {"tournaments", "[--count N] [--seed N] [--roster FILE] [--csv] [--utf8]",
     "who becomes champion over N silent tournaments of a roster",
     "Plays N whole tournaments (default 10, at most 1000000) as the game does, with no\n"
     "player: every match fought by the battle engine, every entrant still in grown between\n"
     "rounds by the growth search. With 33 or more entries the 32 slots are drawn from the\n"
     "rivals (entries 2 to N); with 32 the hero's entry plays too, as a rival with its build.\n"
     "--roster FILE  the roster (default dat/swordia.txt); --utf8 reads it as UTF-8\n"
     "--seed N       repeats a run exactly; without it every run differs\n"
     "--csv          the table as comma-separated values, without the summary line\n"
     "Output: a header, then one row per entry that can be drawn, most titles first:\n"
     "  line     the line of the entry's #Name in the roster (tells equal names apart)\n"
     "  played   tournaments it was drawn into\n"
     "  wins     matches it won, over all tournaments\n"
     "  titles   tournaments it won; share is titles / N\n"
     "  then its name and starting build and, after ⇒, the build it most often fought its\n"
     "  last match with once grown, with how many times (none for an entry that never won)\n"
     "and last 'tournaments N, distinct champions C, CPU S s per tournament'. Progress goes\n"
     "to standard error.",
     Tournaments});

}  // namespace
