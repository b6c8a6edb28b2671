// Lab commands of the growth search: the candidates of a build, the order
// check of a sword list, the growth of one build, and a whole round of growth
// run through the real driver. Builds are written "HP/Attack/Defence/Speed/Swords".
#include <cstdio>
#include <string>
#include <vector>

#include "data/Tournament.h"
#include "growth/GrowthDriver.h"
#include "growth/GrowthSearch.h"
#include "lab/Lab.h"
#include "lab/LabGrowthCommon.h"
#include "rules/SjisText.h"

namespace {

int Candidates(const TLabArgs& given) {
  TLabArgs args = given;
  if (!TakeSeed(args)) return 2;
  TSpec me;
  TSpec partner;
  if (args.size() != 2) {
    LabError("usage: candidates [--seed N] ME PARTNER");
    return 2;
  }
  if (!ParseBuildArg(args[0], me) || !ParseBuildArg(args[1], partner)) return 2;
  for (const TSpec& candidate : GrowthCandidates(me, partner)) LabPrint(BuildNotation(candidate));
  return 0;
}

int WellFormed(const TLabArgs& args) {
  if (args.size() != 1) {
    LabError("usage: well-formed SWORDS");
    return 2;
  }
  std::string swords;
  if (!LabArgToCp932(args[0], swords)) {
    LabError("sword list has no cp932 form: " + args[0]);
    return 2;
  }
  for (std::size_t i = 0; i < swords.size(); i += TBromString::CharLength(swords, i)) {
    if (!IsSwordMark(swords.substr(i, TBromString::CharLength(swords, i)))) {
      LabError("剣の記述が不正です。");
      return 2;
    }
  }
  if (TBromString::CharCount(swords) > MaxSwords) {
    LabError("a sword list holds at most 20 swords");
    return 2;
  }
  LabPrint(IsWellFormedOrder(swords) ? "yes" : "no");
  return 0;
}

int Grow(const TLabArgs& given) {
  TLabArgs args = given;
  if (!TakeSeed(args)) return 2;
  TSpec me;
  TSpec partner;
  if (args.size() != 2) {
    LabError("usage: grow [--seed N] ME PARTNER");
    return 2;
  }
  if (!ParseBuildArg(args[0], me) || !ParseBuildArg(args[1], partner)) return 2;
  LabPrint(BuildNotation(GrowOne(me, partner)));
  return 0;
}

// Runs the real growth driver over the first N rivals of a roster, tick after
// tick without waiting, and reports the work it did.
int GrowRound(const TLabArgs& given) {
  TLabArgs args = given;
  if (!TakeSeed(args)) return 2;
  std::string rosterPath;
  std::string entrantsText;
  bool hasRoster = false;
  bool hasEntrants = false;
  if (!TakeOption(args, "--roster", rosterPath, hasRoster) ||
      !TakeOption(args, "--entrants", entrantsText, hasEntrants)) {
    return 2;
  }
  if (!args.empty()) {
    LabError("usage: grow-round [--seed N] [--roster FILE] [--entrants N]");
    return 2;
  }
  long long count = GrownSpecCount;
  if (hasEntrants && (!LabParseInt(entrantsText, count) || count < 2 || count > GrownSpecCount ||
                      count % 2 != 0)) {
    LabError("--entrants needs an even number from 2 to 16");
    return 2;
  }
  std::vector<TSwordia> roster;
  if (!ReadRosterEntries(hasRoster ? rosterPath : std::string(), roster)) return 2;
  if (static_cast<long long>(roster.size()) < count + 1) {
    LabError("the roster has " + std::to_string(roster.size()) + " entries; " +
             std::to_string(count + 1) + " are needed");
    return 2;
  }

  // The rivals, entries 2 to N + 1, still in after a round, in file order.
  ResetTournament();
  ResetGrowth();
  const int n = static_cast<int>(count);
  for (int i = 0; i < n; ++i) {
    Tournament.Slots[i].Name = roster[i + 1].Name;
    Tournament.Slots[i].Spec = roster[i + 1].Spec;
    Tournament.Entrants[i] = &Tournament.Slots[i];
  }
  Tournament.EntrantCount = n;
  Tournament.Stage = FirstGrownStage;

  const std::int64_t battlesBefore = SimulatedBattleCount();
  const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  // A tick is timed on the thread's own CPU clock, which a busy machine's
  // other work does not inflate, and on the wall clock.
  double longest = 0;
  double longestWall = 0;
  long ticks = 0;
  StartGrowth();
  while (IsGrowing()) {
    const double tickStart = Seconds(CLOCK_THREAD_CPUTIME_ID);
    const double wallStart = Seconds(CLOCK_MONOTONIC);
    GrowthTick();
    const double took = Seconds(CLOCK_THREAD_CPUTIME_ID) - tickStart;
    const double tookWall = Seconds(CLOCK_MONOTONIC) - wallStart;
    longest = took > longest ? took : longest;
    longestWall = tookWall > longestWall ? tookWall : longestWall;
    ++ticks;
  }
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;

  for (int i = 0; i < n; ++i) {
    LabPrint(Tournament.Slots[i].Name + "  " + BuildNotation(Tournament.Slots[i].Spec) + " ⇒ " +
             BuildNotation(GrownSpecs[i]));
  }
  char summary[200];
  std::snprintf(summary, sizeof summary,
                "ticks %ld, simulated battles %lld, CPU %.3f s, longest tick %.3f ms "
                "(wall clock %.3f ms)",
                ticks, static_cast<long long>(SimulatedBattleCount() - battlesBefore), cpu,
                longest * 1000.0, longestWall * 1000.0);
  LabPrint(summary);
  return 0;
}

const TLabRegistration candidatesCommand(
    {"candidates", "[--seed N] ME PARTNER   one-step growth candidates of ME facing PARTNER",
     Candidates});
const TLabRegistration wellFormedCommand(
    {"well-formed", "SWORDS   whether the order of a sword list is well formed (yes/no)",
     WellFormed});
const TLabRegistration growCommand(
    {"grow", "[--seed N] ME PARTNER   the build ME grows into when facing PARTNER next", Grow});
const TLabRegistration growRoundCommand(
    {"grow-round",
     "[--seed N] [--roster FILE] [--entrants N]   one round of growth of roster entries 2..N+1",
     GrowRound});

}  // namespace
