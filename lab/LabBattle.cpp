// Lab commands for roster authors and testers: "battle" plays one tournament
// match through the real engine and click handlers and prints its log;
// "simulate" prints the result code of a silent battle of two builds.
#include <cstdio>
#include <string>

#include "battle/Battle.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "lab/Lab.h"
#include "lab/LabMatch.h"
#include "rules/Random.h"

namespace {

// Parses a build argument; prints the roster's message for a malformed one.
bool ParseBuildArg(const std::string& utf8, TSpec& spec) {
  std::string text;
  if (!LabArgToCp932(utf8, text)) {
    std::fprintf(stderr, "quillmoor-lab: the build '%s' has no Shift-JIS form\n", utf8.c_str());
    return false;
  }
  std::string fault;
  if (!ParseSpecText(text, spec, fault, /*checkTotal=*/false)) {
    LabError(fault);
    return false;
  }
  return true;
}

int Usage(const char* command) {
  if (std::string(command) == "battle") {
    std::fprintf(stderr,
                 "usage: quillmoor-lab battle [--stage S] [--steps] [--skip-at K] [--seed N] "
                 "NAME_A BUILD_A NAME_B BUILD_B\n");
  } else {
    std::fprintf(stderr, "usage: quillmoor-lab simulate BUILD_A BUILD_B\n");
  }
  return 2;
}

int RunBattle(const TLabArgs& args) {
  // 1. Options and the four operands.
  long long stage = FirstRoundStage;
  long long skipAt = -1;
  long long seed = 0;
  bool seeded = false;
  bool steps = false;
  TLabArgs operands;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--steps") {
      steps = true;
    } else if (a == "--stage" || a == "--skip-at" || a == "--seed") {
      long long value = 0;
      if (i + 1 >= args.size() || !LabParseInt(args[i + 1], value)) return Usage("battle");
      ++i;
      if (a == "--stage") stage = value;
      if (a == "--skip-at") skipAt = value;
      if (a == "--seed") {
        seed = value;
        seeded = true;
      }
    } else {
      operands.push_back(a);
    }
  }
  if (operands.size() != 4 || stage < FirstRoundStage || stage > FinalStage) return Usage("battle");
  std::string names[2];
  TSpec specs[2];
  for (int side = 0; side < 2; ++side) {
    if (!LabArgToCp932(operands[2 * side], names[side])) {
      std::fprintf(stderr, "quillmoor-lab: the name '%s' has no Shift-JIS form\n",
                   operands[2 * side].c_str());
      return 2;
    }
    if (!ParseBuildArg(operands[2 * side + 1], specs[side])) return 2;
  }
  // 2. The match, printed click by click.
  if (seeded) {
    RandSeed(static_cast<std::uint32_t>(seed));
  } else {
    Randomize();
  }
  const bool ended = PlayLabMatch(
      names, specs, static_cast<int>(stage), skipAt,
      [&](long long k, const char* cue, const TStringDynArray& lines) {
        if (steps) {
          LabPrint("#step " + std::to_string(k) + " cue=" + (cue != nullptr ? cue : "-"));
        }
        for (const std::string& line : lines) LabPrint(line);
      });
  if (!ended) {
    std::fprintf(stderr, "quillmoor-lab: the battle did not come to an end\n");
    return 3;
  }
  return 0;
}

int RunSimulate(const TLabArgs& args) {
  if (args.size() != 2) return Usage("simulate");
  TSpec a;
  TSpec b;
  if (!ParseBuildArg(args[0], a) || !ParseBuildArg(args[1], b)) return 2;
  std::printf("%d\n", SimulateBattle(a, b));
  return 0;
}

const TLabRegistration battleCommand({"battle",
                                      "[--stage S] [--steps] [--skip-at K] [--seed N] NAME_A "
                                      "BUILD_A NAME_B BUILD_B",
                                      RunBattle});
const TLabRegistration simulateCommand({"simulate", "BUILD_A BUILD_B", RunSimulate});

}  // namespace
