// Lab command for roster authors: many whole tournaments played silently,
// to see which rivals the roster makes champions. Every match is fought by
// the real battle engine to its verdict (equal HP settled by the coin toss,
// as in a real match) and the real growth driver grows the entrants between
// rounds. No player makes a hero here, so all 32 slots are drawn from the
// rivals (roster entries 2 to N).
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "data/Tournament.h"
#include "growth/GrowthDriver.h"
#include "lab/Lab.h"
#include "lab/LabGrowthCommon.h"
#include "rules/Random.h"

namespace {

constexpr int SimulationDraw = 10;
constexpr int SimulationFirstWins = 20;

// Plays one tournament of 32 rivals drawn from the roster and returns the
// roster index of its champion.
int PlayTournament(const std::vector<TSwordia>& roster) {
  ResetTournament();
  ResetGrowth();
  // The draw: 32 distinct rivals, without repetition, from entries 2..N.
  std::vector<int> pool;
  for (int i = 1; i < static_cast<int>(roster.size()); ++i) pool.push_back(i);
  int origin[SlotCount];
  for (int k = 0; k < SlotCount; ++k) {
    const int pick = Random(static_cast<std::int32_t>(pool.size()));
    origin[k] = pool[pick];
    pool.erase(pool.begin() + pick);
    TSwordia& slot = Tournament.Slots[k];
    slot.Name = roster[origin[k]].Name;
    slot.Spec = roster[origin[k]].Spec;
    Tournament.Entrants[k] = &slot;
  }
  Tournament.EntrantCount = SlotCount;
  Tournament.Stage = 1;

  while (Tournament.Stage <= 5) {
    // The matches of the stage in bracket order.
    for (int m = 0; m < Tournament.EntrantCount / 2; ++m) {
      TSwordia* a = Tournament.Entrants[2 * m];
      TSwordia* b = Tournament.Entrants[2 * m + 1];
      if (Tournament.Stage >= 2) {
        // Each side fights with the build it grew into; growing spent its point.
        a->Spec = GrownSpecs[2 * m];
        b->Spec = GrownSpecs[2 * m + 1];
        a->Bonus = 0;
        b->Bonus = 0;
      }
      int result = SimulateBattle(a->Spec, b->Spec);
      if (result == SimulationDraw) result = Random(2) == 0 ? SimulationFirstWins : 0;
      TSwordia* winner = result == SimulationFirstWins ? a : b;
      TSwordia* loser = winner == a ? b : a;
      ++winner->Wins;
      loser->InTournament = false;
      if (Tournament.Stage < 5) ++winner->Bonus;
    }
    // The end of the round: the losers leave and the others grow.
    ++Tournament.Stage;
    std::int32_t kept = 0;
    for (int i = 0; i < Tournament.EntrantCount; ++i) {
      if (Tournament.Entrants[i]->InTournament)
        Tournament.Entrants[kept++] = Tournament.Entrants[i];
    }
    Tournament.EntrantCount = kept;
    if (Tournament.Stage >= 2 && Tournament.Stage <= 5) {
      StartGrowth();
      while (IsGrowing()) GrowthTick();
    }
  }
  return origin[Tournament.Entrants[0] - Tournament.Slots];
}

int Tournaments(const TLabArgs& given) {
  TLabArgs args = given;
  if (!TakeSeed(args)) return 2;
  std::string rosterPath;
  std::string countText;
  bool hasRoster = false;
  bool hasCount = false;
  if (!TakeOption(args, "--roster", rosterPath, hasRoster) ||
      !TakeOption(args, "--count", countText, hasCount)) {
    return 2;
  }
  if (!args.empty()) {
    LabError("usage: tournaments [--seed N] [--count N] [--roster FILE]");
    return 2;
  }
  long long count = 10;
  if (hasCount && (!LabParseInt(countText, count) || count < 1 || count > 1000000)) {
    LabError("--count needs a number from 1 to 1000000");
    return 2;
  }
  std::vector<TSwordia> roster;
  if (!ReadRosterEntries(hasRoster ? rosterPath : std::string(), roster)) return 2;
  if (roster.size() < SlotCount + 1) {
    LabError("the roster has " + std::to_string(roster.size()) +
             " entries; 33 are needed (the hero and 32 rivals)");
    return 2;
  }

  std::vector<long long> titles(roster.size(), 0);
  const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  for (long long t = 0; t < count; ++t) ++titles[PlayTournament(roster)];
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
  ResetTournament();
  ResetGrowth();

  // Most titles first; equal counts in roster order.
  std::vector<int> order;
  for (int i = 1; i < static_cast<int>(roster.size()); ++i) {
    if (titles[i] > 0) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return titles[x] > titles[y]; });
  char line[300];
  for (int i : order) {
    std::snprintf(line, sizeof line, "%6lld  %5.1f%%  ", titles[i],
                  100.0 * static_cast<double>(titles[i]) / static_cast<double>(count));
    LabPrint(line + roster[i].Name + "  " + BuildNotation(roster[i].Spec));
  }
  std::snprintf(line, sizeof line,
                "distinct champions %zu, tournaments %lld, CPU %.3f s per tournament", order.size(),
                count, cpu / static_cast<double>(count));
  LabPrint(line);
  return 0;
}

const TLabRegistration tournamentsCommand(
    {"tournaments",
     "[--seed N] [--count N] [--roster FILE]   champions of N silent tournaments of 32 rivals",
     Tournaments});

}  // namespace
