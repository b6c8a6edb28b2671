// Lab commands of the growth search: the candidates of a build, the order
// check of a sword list, the growth of one build, and a whole round of growth
// run through the real driver. Builds are written "HP/Attack/Defence/Speed/Swords".
#include <string>

#include "data/UnitRoster.h"
#include "growth/UnitSimulation2.h"
#include "lab/Lab.h"
#include "rules/UnitRandom.h"
#include "script/BromString.h"

namespace {

// "HP/Attack/Defence/Speed/Swords".
std::string BuildNotation(const TSpec& spec) {
  return std::to_string(spec.MaxHP) + "/" + std::to_string(spec.Attack) + "/" +
         std::to_string(spec.Defence) + "/" + std::to_string(spec.Speed) + "/" +
         spec.Swords.Str();
}

// A build given on the command line. Any bonus total is accepted: grown
// builds cost more than the roster's 10 points.
bool ParseBuildArg(const std::string& utf8, TSpec& spec) {
  std::string text;
  std::string fault;
  if (!LabArgToCp932(utf8, text)) {
    LabError("build has no cp932 form: " + utf8);
    return false;
  }
  if (!ParseSpecText(text, spec, fault, false)) {
    LabError(fault + " (" + text + ")");
    return false;
  }
  return true;
}

// Takes "--seed N" out of the arguments and seeds the generator with it;
// without it the generator is seeded from the clock, as the game does.
bool TakeSeed(TLabArgs& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--seed") continue;
    long long seed = 0;
    if (i + 1 == args.size() || !LabParseInt(args[i + 1], seed) || seed < 0 ||
        seed > 0xFFFFFFFFLL) {
      LabError("--seed needs a number from 0 to 4294967295");
      return false;
    }
    RandSeed(static_cast<std::uint32_t>(seed));
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    return true;
  }
  Randomize();
  return true;
}

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

const TLabRegistration candidatesCommand(
    {"candidates", "[--seed N] ME PARTNER   one-step growth candidates of ME facing PARTNER",
     Candidates});
const TLabRegistration wellFormedCommand(
    {"well-formed", "SWORDS   whether the order of a sword list is well formed (yes/no)",
     WellFormed});

}  // namespace
