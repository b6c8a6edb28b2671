// Lab commands for roster authors and testers: "battle" plays one tournament
// match through the real engine and click handlers and prints its log;
// "simulate" prints the result code of a silent battle of two builds.
#include <cstdio>
#include <memory>
#include <string>

#include "battle/Battle.h"
#include "data/Tournament.h"
#include "lab/Lab.h"
#include "lab/LabGrowthCommon.h"
#include "lab/LabMatch.h"
#include "lab/LabOptions.h"

namespace {

int RunBattle(const TLabArgs& args, const TLabPlatform&) {
  // 1. Options and the four operands.
  TLabOptions options("battle", args);
  long long stage = FirstRoundStage;
  long long skipAt = -1;
  long long seed = -1;
  const bool steps = options.Flag("--steps");
  if (!options.Number("--stage", FirstRoundStage, FinalStage, stage) ||
      !options.Number("--skip-at", -1, 1000000000, skipAt) ||
      !options.Number("--seed", 0, 0xFFFFFFFFLL, seed) || !options.Finish()) {
    return LabExitUsage;
  }
  const TLabArgs& operands = options.Operands();
  if (operands.size() != 4) {
    return options.UsageError("four arguments are needed: NAME_A BUILD_A NAME_B BUILD_B");
  }
  std::string names[2];
  TSpec specs[2];
  for (int side = 0; side < 2; ++side) {
    if (!LabArgToCp932(operands[2 * side], names[side])) {
      return options.UsageError("the name '" + operands[2 * side] + "' has no Shift-JIS form");
    }
  }
  for (int side = 0; side < 2; ++side) {
    if (!ParseBuildArg(operands[2 * side + 1], specs[side])) return LabExitFault;
  }
  // 2. The match, printed click by click.
  TRandom dice;
  SeedDice(dice, seed);
  const bool ended = PlayLabMatch(
      names, specs, static_cast<int>(stage), skipAt, dice,
      [&](long long k, const char* cue, const TStringDynArray& lines) {
        if (steps) {
          LabPrint("#step " + std::to_string(k) + " cue=" + (cue != nullptr ? cue : "-"));
        }
        for (const std::string& line : lines) LabPrint(line);
      });
  if (!ended) {
    std::fprintf(stderr, "quillmoor-lab battle: the battle did not come to an end\n");
    return LabExitInternal;
  }
  return LabExitFine;
}

int RunSimulate(const TLabArgs& args, const TLabPlatform&) {
  TLabOptions options("simulate", args);
  if (!options.Finish()) return LabExitUsage;
  if (options.Operands().size() != 2) return options.UsageError("two builds are needed");
  TSpec a;
  TSpec b;
  if (!ParseBuildArg(options.Operands()[0], a) || !ParseBuildArg(options.Operands()[1], b)) {
    return LabExitFault;
  }
  const auto battle = std::make_unique<TBattle>();
  std::printf("%d\n", SimulateBattle(*battle, a, b));
  return LabExitFine;
}

const TLabRegistration battleCommand(
    {"battle", "[--stage S] [--steps] [--skip-at K] [--seed N] NAME_A BUILD_A NAME_B BUILD_B",
     "one tournament match, its log line by line as the battle screen shows it",
     "A and B are the only entrants still in at stage S (1 to 5, default 1; from 2 on, both\n"
     "open with their builds as grown builds). Builds are HP/attack/defence/speed/swords,\n"
     "any bonus total. Every line the battle log shows is printed as the clicks reveal it.\n"
     "--steps      before each click's lines, '#step K cue=FILE' (the sound it plays, or -)\n"
     "--skip-at K  presses SKIP at click K, as the player may\n"
     "--seed N     repeats the chance events (the coin toss on equal HP) exactly",
     RunBattle});
const TLabRegistration simulateCommand(
    {"simulate", "BUILD_A BUILD_B", "the result of a silent battle, as the growth search sees it",
     "Prints one number: 20 when A wins, 0 when B wins, 10 for a draw (equal HP and push at\n"
     "the end; a tournament match would toss a coin). Builds are\n"
     "HP/attack/defence/speed/swords, any bonus total.",
     RunSimulate});

}  // namespace
