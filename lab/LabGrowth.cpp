// Lab commands of the growth search: the candidates of a build, the order
// check of a sword list, the growth of one build, and a whole round of growth
// run through the real driver. Builds are written "HP/Attack/Defence/Speed/Swords".
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "data/Roster.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "growth/GrowthDriver.h"
#include "growth/GrowthSearch.h"
#include "lab/Lab.h"
#include "lab/LabGrowthCommon.h"
#include "lab/LabInput.h"
#include "lab/LabOptions.h"
#include "lab/LabPlatform.h"
#include "rules/SjisText.h"

namespace {

// The seed option, which seeds `dice`, and two builds, ME and PARTNER; false
// with the exit code.
bool SeedAndTwoBuilds(const char* command, const TLabArgs& args, TRandom& dice, TSpec& me,
                      TSpec& partner, int& code) {
  TLabOptions options(command, args);
  long long seed = -1;
  code = LabExitUsage;
  if (!options.Number("--seed", 0, 0xFFFFFFFFLL, seed) || !options.Finish()) return false;
  if (options.Operands().size() != 2) {
    options.UsageError("two builds are needed, ME and PARTNER");
    return false;
  }
  code = LabExitFault;
  if (!ParseBuildArg(options.Operands()[0], me) || !ParseBuildArg(options.Operands()[1], partner))
    return false;
  SeedDice(dice, seed);
  return true;
}

int Candidates(const TLabArgs& args, const TLabPlatform&) {
  TSpec me;
  TSpec partner;
  int code = 0;
  TRandom dice;
  if (!SeedAndTwoBuilds("candidates", args, dice, me, partner, code)) return code;
  for (const TSpec& candidate : GrowthCandidates(me, partner, dice)) LabPrint(BuildText(candidate));
  return LabExitFine;
}

int WellFormed(const TLabArgs& args, const TLabPlatform&) {
  TLabOptions options("well-formed", args);
  if (!options.Finish()) return LabExitUsage;
  if (options.Operands().size() != 1) return options.UsageError("one sword list is needed");
  std::string swords;
  if (!LabArgToCp932(options.Operands()[0], swords)) {
    return options.UsageError("the sword list has no Shift-JIS form");
  }
  for (std::size_t i = 0; i < swords.size(); i += TBromString::CharLength(swords, i)) {
    if (!IsSwordMark(swords.substr(i, TBromString::CharLength(swords, i)))) {
      LabError("剣の記述が不正です。");
      return LabExitFault;
    }
  }
  if (TBromString::CharCount(swords) > MaxSwords) {
    LabError("a sword list holds at most 20 swords");
    return LabExitFault;
  }
  LabPrint(IsWellFormedOrder(swords) ? "yes" : "no");
  return LabExitFine;
}

int Grow(const TLabArgs& args, const TLabPlatform&) {
  TSpec me;
  TSpec partner;
  int code = 0;
  TRandom dice;
  if (!SeedAndTwoBuilds("grow", args, dice, me, partner, code)) return code;
  LabPrint(BuildText(GrowOne(me, partner, dice)));
  return LabExitFine;
}

// Runs the real growth driver over the first N rivals of a roster, tick after
// tick without waiting, and reports the work it did.
int GrowRound(const TLabArgs& args, const TLabPlatform& platform) {
  // 1. The options and the roster.
  TLabOptions options("grow-round", args);
  long long seed = -1;
  long long count = GrownSpecCount;
  std::string rosterArg;
  bool hasRoster = false;
  const bool utf8 = options.Flag("--utf8");
  if (!options.Number("--seed", 0, 0xFFFFFFFFLL, seed) ||
      !options.Number("--entrants", 2, GrownSpecCount, count) ||
      !options.Value("--roster", rosterArg, hasRoster) || !options.Finish()) {
    return LabExitUsage;
  }
  if (count % 2 != 0) return options.UsageError("--entrants needs an even number from 2 to 16");
  if (!options.Operands().empty()) {
    return options.UsageError("unexpected argument '" + options.Operands()[0] + "'");
  }
  TLabRoster roster;
  if (const int exit = LoadLabRoster("grow-round", rosterArg, utf8, platform.Portraits(), roster);
      exit >= 0)
    return exit;
  TRandom dice;
  SeedDice(dice, seed);

  // 2. The rivals, entries 2 to N + 1, still in after a round, in file order.
  const auto tournament = std::make_unique<TTournament>();
  TTournament& t = *tournament;
  TGrowthDriver driver;
  const int n = static_cast<int>(count);
  for (int i = 0; i < n; ++i) {
    t.Slots[i].Name = roster.Entries[static_cast<std::size_t>(i) + 1].Name;
    t.Slots[i].Spec = roster.Entries[static_cast<std::size_t>(i) + 1].Spec;
    t.Entrants[i] = &t.Slots[i];
  }
  t.EntrantCount = n;
  t.Stage = FirstGrownStage;

  // 3. The growth, tick by tick. A tick is timed on the thread's own CPU
  // clock, which a busy machine's other work does not inflate, and on the
  // wall clock.
  const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  double longest = 0;
  double longestWall = 0;
  long ticks = 0;
  StartGrowth(driver, t);
  while (driver.Growing) {
    const double tickStart = Seconds(CLOCK_THREAD_CPUTIME_ID);
    const double wallStart = Seconds(CLOCK_MONOTONIC);
    GrowthTick(driver, t, dice);
    const double took = Seconds(CLOCK_THREAD_CPUTIME_ID) - tickStart;
    const double tookWall = Seconds(CLOCK_MONOTONIC) - wallStart;
    longest = took > longest ? took : longest;
    longestWall = tookWall > longestWall ? tookWall : longestWall;
    ++ticks;
  }
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;

  // 4. The builds and the work.
  for (int i = 0; i < n; ++i) {
    LabPrint(t.Slots[i].Name + "  " + BuildText(t.Slots[i].Spec) + " ⇒ " +
             BuildText(t.GrownSpecs[i]));
  }
  char summary[200];
  std::snprintf(summary, sizeof summary,
                "ticks %ld, simulated battles %lld, CPU %.3f s, longest tick %.3f ms "
                "(wall clock %.3f ms)",
                ticks, static_cast<long long>(driver.BattlesPlayed), cpu, longest * 1000.0,
                longestWall * 1000.0);
  LabPrint(summary);
  return LabExitFine;
}

const TLabRegistration candidatesCommand(
    {"candidates", "[--seed N] ME PARTNER", "the one-step growth candidates of ME facing PARTNER",
     "One build per line (HP/attack/defence/speed/swords), in the order the growth search\n"
     "scores them. --seed N fixes the random sample of sword orders.",
     Candidates});
const TLabRegistration wellFormedCommand(
    {"well-formed", "SWORDS", "whether the order of a sword list is well formed",
     "Prints yes or no: yes when every control sword (導 振 薬 豪) reaches a sword it can act\n"
     "on and every 導 brings its sword forward, as the growth search requires of the orders\n"
     "it keeps. An empty list is not well formed.",
     WellFormed});
const TLabRegistration growCommand(
    {"grow", "[--seed N] ME PARTNER", "the build ME grows into when facing PARTNER next",
     "Prints the one build the growth search chooses for ME, as a rival grows between rounds.",
     Grow});
const TLabRegistration growRoundCommand(
    {"grow-round", "[--seed N] [--entrants N] [--roster FILE] [--utf8]",
     "one round of growth of roster entries 2 to N+1, through the game's growth driver",
     "Entries 2 to N+1 (N even, 2 to 16, default 16) are the entrants still in after a round,\n"
     "each facing its neighbour (2 with 3, 4 with 5, ...). One line per entrant: name, build\n"
     "⇒ grown build. Then: timer ticks taken, simulated battles, CPU seconds, and the longest\n"
     "tick in CPU and wall-clock milliseconds (the game runs one tick every 10 ms).",
     GrowRound});

}  // namespace
