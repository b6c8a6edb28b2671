// Lab command for roster authors: many whole tournaments played silently,
// to see which entrants the roster makes champions. Each tournament follows
// the game's own rule steps: the draw, the matches of a round in bracket
// order, the verdict and the bonus point, the close of the round and the
// growth of every entrant still in. Every match is fought by the real battle
// engine to its verdict (equal HP settled by the coin toss, as in a real
// match) and the real growth search grows the entrants between rounds, as the
// growth driver would, at once.
//
// Tournaments are played on several threads, each in a tournament and battle
// state of its own. Tournament n draws from a generator seeded for n alone,
// and the totals are sums, so the report is the same on any number of
// threads.
//
// No player makes a hero here. With 33 or more entries the 32 slots are all
// rivals (entries 2 to N); with 32 entries the hero's entry plays too, as one
// more rival with the build the roster gives it.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "battle/Battle.h"
#include "data/Roster.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "growth/GrowthSearch.h"
#include "lab/Lab.h"
#include "lab/LabGrowthCommon.h"
#include "lab/LabInput.h"
#include "lab/LabOptions.h"
#include "lab/LabPlatform.h"
#include "rules/Random.h"

namespace {

constexpr int SimulationDraw = 10;
constexpr int SimulationFirstWins = 20;
constexpr long long MaxCount = 1000000;
constexpr long long MaxJobs = 256;

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
void DrawField(const std::vector<TSwordia>& roster, TTournament& t, int (&entry)[SlotCount],
               TRandom& dice) {
  std::vector<TSwordia> field;
  std::vector<int> origin;
  if (roster.size() == static_cast<std::size_t>(SlotCount)) {
    field = roster;
    for (int i = 0; i < SlotCount; ++i) origin.push_back(i);
  } else {
    const int first = 1 + dice.Next(static_cast<std::int32_t>(roster.size()) - 1);
    field.push_back(roster[static_cast<std::size_t>(first)]);
    origin.push_back(first);
    for (int i = 1; i < static_cast<int>(roster.size()); ++i) {
      if (i == first) continue;
      field.push_back(roster[static_cast<std::size_t>(i)]);
      origin.push_back(i);
    }
  }
  int drawn[SlotCount];
  DrawEntrants(t, field, dice, &drawn);
  for (int k = 0; k < SlotCount; ++k) entry[k] = origin[static_cast<std::size_t>(drawn[k])];
  // Everybody is a rival: the growth driver grows every entrant still in.
  t.Hero = nullptr;
}

// One match of the current stage, fought silently to its verdict in the
// given battle state; `grown` holds the builds the entrants grew into.
void PlayMatch(TTournament& t, const TSpec (&grown)[GrownSpecCount], TBattle& battle, int m,
               TRandom& dice) {
  TSwordia& a = *t.Entrants[2 * m];
  TSwordia& b = *t.Entrants[2 * m + 1];
  // 1. From the second round on, each side opens with the build it grew into;
  // growing spent its bonus point.
  if (t.Stage >= FirstGrownStage) {
    a.Spec = grown[2 * m];
    b.Spec = grown[2 * m + 1];
    a.Bonus = 0;
    b.Bonus = 0;
  }
  // 2. The battle; equal HP without a push is settled by the coin toss.
  int result = SimulateBattle(battle, a.Spec, b.Spec);
  if (result == SimulationDraw) result = dice.Next(2) == 0 ? SimulationFirstWins : 0;
  TSwordia& winner = result == SimulationFirstWins ? a : b;
  TSwordia& loser = &winner == &a ? b : a;
  // 3. The verdict and, before the final, the bonus point.
  RecordMatchResult(t, winner, loser);
  AwardBonus(t, winner);
}

// The growth between two rounds: entrant i grows against entrant i xor 1, as
// the growth driver does it; an entrant without an opponent keeps its build.
void GrowEntrants(const TTournament& t, TSpec (&grown)[GrownSpecCount], TRandom& dice) {
  for (int i = 0; i < t.EntrantCount; ++i) {
    const TSpec& me = t.Entrants[i]->Spec;
    grown[i] = (i ^ 1) < t.EntrantCount ? GrowOne(me, t.Entrants[i ^ 1]->Spec, dice) : me;
  }
}

// One whole tournament in a state of its own; every chance event of it comes
// from its own dice.
TTournamentOutcome PlayTournament(const std::vector<TSwordia>& roster, TBattle& battle,
                                  TRandom& dice) {
  const auto state = std::make_unique<TTournament>();
  TTournament& t = *state;
  TSpec grown[GrownSpecCount];
  TTournamentOutcome outcome;
  // 1. The draw; the first round starts with every slot in.
  DrawField(roster, t, outcome.Entry, dice);
  EnterAllSlots(t);
  t.Stage = FirstRoundStage;
  // 2. Round after round: the matches in bracket order, the close of the
  // round, and the growth of everybody still in before the next one.
  while (t.Stage <= FinalStage) {
    for (int m = 0; m < t.EntrantCount / 2; ++m) PlayMatch(t, grown, battle, m, dice);
    ++t.Stage;
    CloseRound(t);
    if (t.Stage >= FirstGrownStage && t.Stage <= FinalStage) GrowEntrants(t, grown, dice);
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

void AddTotals(const std::vector<TEntrantTotals>& part, std::vector<TEntrantTotals>& totals) {
  for (std::size_t i = 0; i < part.size(); ++i) {
    totals[i].Played += part[i].Played;
    totals[i].Wins += part[i].Wins;
    totals[i].Titles += part[i].Titles;
    for (const auto& [build, times] : part[i].GrownBuilds) totals[i].GrownBuilds[build] += times;
  }
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

// The seed of tournament n of a run: each tournament has dice of its own,
// whichever thread plays it.
std::uint32_t TournamentSeed(std::uint32_t base, long long n) {
  return base + static_cast<std::uint32_t>(n) * 0x9E3779B9u;
}

// Plays tournaments 1..count on `jobs` threads (this one among them) and
// returns the totals by roster entry.
std::vector<TEntrantTotals> PlayAll(const std::vector<TSwordia>& roster, long long count,
                                    long long jobs, std::uint32_t base) {
  std::vector<TEntrantTotals> totals(roster.size());
  std::atomic<long long> next{1};
  std::mutex mutex;  // guards the totals and the progress
  long long done = 0;
  TProgress progress(count);
  auto work = [&] {
    // 1. A battle state and totals of this thread's own.
    const auto battle = std::make_unique<TBattle>();
    std::vector<TEntrantTotals> part(roster.size());
    // 2. The next tournament not yet taken, until none is left.
    for (long long n = next++; n <= count; n = next++) {
      TRandom dice(TournamentSeed(base, n));
      AddOutcome(PlayTournament(roster, *battle, dice), part);
      const std::lock_guard<std::mutex> lock(mutex);
      progress.Done(++done);
    }
    // 3. Its totals join the others'.
    const std::lock_guard<std::mutex> lock(mutex);
    AddTotals(part, totals);
  };
  std::vector<std::thread> helpers;
  for (long long j = 1; j < jobs; ++j) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
  return totals;
}

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

int Tournaments(const TLabArgs& args, const TLabPlatform& platform) {
  // 1. The options.
  TLabOptions options("tournaments", args);
  long long seed = -1;
  long long count = 10;
  long long jobs = std::max(1u, std::thread::hardware_concurrency());
  std::string rosterArg;
  bool hasRoster = false;
  const bool csv = options.Flag("--csv");
  const bool utf8 = options.Flag("--utf8");
  if (!options.Number("--seed", 0, 0xFFFFFFFFLL, seed) ||
      !options.Number("--count", 1, MaxCount, count) ||
      !options.Number("--jobs", 1, MaxJobs, jobs) ||
      !options.Value("--roster", rosterArg, hasRoster) || !options.Finish()) {
    return LabExitUsage;
  }
  if (!options.Operands().empty()) {
    return options.UsageError("unexpected argument '" + options.Operands()[0] + "'");
  }
  // 2. The roster, read as the game reads it.
  TLabRoster roster;
  if (const int exit = LoadLabRoster("tournaments", rosterArg, utf8, platform.Portraits(), roster);
      exit >= 0)
    return exit;
  // 3. The tournaments, each seeded from one draw of the run's seed.
  TRandom dice;
  SeedDice(dice, seed);
  const auto base = static_cast<std::uint32_t>(dice.Next(0x7FFFFFFF));
  const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  const std::vector<TEntrantTotals> totals =
      PlayAll(roster.Entries, count, std::min(jobs, count), base);
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;

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
    {"tournaments", "[--count N] [--seed N] [--jobs N] [--roster FILE] [--csv] [--utf8]",
     "who becomes champion over N silent tournaments of a roster",
     "Plays N whole tournaments (default 10, at most 1000000) as the game does, with no\n"
     "player: every match fought by the battle engine, every entrant still in grown between\n"
     "rounds by the growth search. With 33 or more entries the 32 slots are drawn from the\n"
     "rivals (entries 2 to N); with 32 the hero's entry plays too, as a rival with its build.\n"
     "--roster FILE  the roster (default dat/swordia.txt); --utf8 reads it as UTF-8\n"
     "--seed N       repeats a run exactly; without it every run differs\n"
     "--jobs N       threads to play on (default: one per core); the report is the same\n"
     "--csv          the table as comma-separated values, without the summary line\n"
     "Output: a header, then one row per entry that can be drawn, most titles first:\n"
     "  line     the line of the entry's #Name in the roster (tells equal names apart)\n"
     "  played   tournaments it was drawn into\n"
     "  wins     matches it won, over all tournaments\n"
     "  titles   tournaments it won; share is titles / N\n"
     "  then its name and starting build and, after ⇒, the build it most often fought its\n"
     "  last match with once grown, with how many times (none for an entry that never won)\n"
     "and last 'tournaments N, distinct champions C, CPU S s per tournament' (the CPU of\n"
     "all threads). Progress goes to standard error.",
     Tournaments});

}  // namespace
