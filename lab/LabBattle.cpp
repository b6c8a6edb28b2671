// Lab commands for roster authors and testers: "battle" plays one tournament
// match through the real engine and click handlers and prints its log;
// "simulate" prints the result code of a silent battle of two builds.
#include <cstdio>
#include <string>

#include "battle/UnitBattle.h"
#include "battle/UnitStepping.h"
#include "data/UnitData.h"
#include "data/UnitRoster.h"
#include "flow/UnitMode.h"
#include "growth/UnitSimulation.h"
#include "lab/Lab.h"
#include "present/UnitPaint.h"
#include "rules/UnitRandom.h"

namespace {

// Clicks one battle may take before the lab gives up on it. A battle is over
// long before: at most 21 turns of a few hundred lines.
constexpr int MaxClicks = 1000000;

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

// Collects the lines of one click.
class TLineCollector : public TLogListener {
 public:
  void LineLogged(std::string_view line) override { Lines.emplace_back(line); }
  TStringDynArray Lines;
};

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
  long long stage = 1;
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
  if (operands.size() != 4 || stage < 1 || stage > 5) return Usage("battle");
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
  // 2. A stage with only these two entrants still in; the hero is out.
  if (seeded) {
    RandSeed(static_cast<std::uint32_t>(seed));
  } else {
    Randomize();
  }
  ResetTournament();
  ResetBattle();
  TTournament& t = Tournament;
  for (int side = 0; side < 2; ++side) {
    t.Slots[side].Name = names[side];
    t.Slots[side].Spec = specs[side];
    t.Entrants[side] = &t.Slots[side];
    GrownSpecs[side] = specs[side];  // from stage 2 on, the builds take effect again
  }
  t.Slots[2].InTournament = false;
  t.Hero = &t.Slots[2];
  t.HeroEdit = *t.Hero;
  t.EntrantCount = 2;
  t.Stage = static_cast<std::int32_t>(stage);
  // 3. Step 0 is the match start; then one click at a time until the battle
  // has left the battle screen.
  TLineCollector lines;
  SetLogListener(&lines);
  auto print = [&](long long k, const char* cue) {
    if (lines.Lines.empty()) return;
    if (steps) {
      LabPrint("#step " + std::to_string(k) + " cue=" + (cue != nullptr ? cue : "-"));
    }
    for (const std::string& line : lines.Lines) LabPrint(line);
    lines.Lines.clear();
    // The log window keeps only what it shows, as the scroll timer would.
    while (LogStore.LogCount > LogViewLines) LogDropFirst();
  };
  SetMode(gmBattle);
  print(0, nullptr);
  long long k = 0;
  while (GameMode == gmBattle) {
    if (++k > MaxClicks || Battle.PhaseCount == 0) {
      SetLogListener(nullptr);
      std::fprintf(stderr, "quillmoor-lab: the battle did not come to an end\n");
      return 3;
    }
    if (k == skipAt) {
      BattleSkipClick(0);
    } else {
      BattleStepClick(0);
    }
    print(k, Battle.PlayedCue);
  }
  SetLogListener(nullptr);
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
