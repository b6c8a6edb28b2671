#include "lab/LabGrowthCommon.h"

#include <cstdio>

#include "data/Roster.h"
#include "rules/SjisText.h"

bool ParseBuildArg(const std::string& utf8, TSpec& spec) {
  std::string text;
  std::string fault;
  if (!LabArgToCp932(utf8, text)) {
    std::fprintf(stderr, "quillmoor-lab: the build '%s' has no Shift-JIS form\n", utf8.c_str());
    return false;
  }
  if (!ParseSpecText(text, spec, fault, false)) {
    LabError(fault + " (" + text + ")");
    return false;
  }
  // The roster's reading cuts a long list to 40 bytes; a build typed here
  // is refused instead, so that the lab never works on a build not asked for.
  const TStringDynArray parts = TBromString::Split(text, "/");
  if (TrimControl(parts.back()).size() > static_cast<std::size_t>(SwordsBytes)) {
    LabError("a sword list holds at most 20 swords (" + text + ")");
    return false;
  }
  return true;
}

void SeedDice(TRandom& dice, long long seed) {
  if (seed >= 0) {
    dice.Seed(static_cast<std::uint32_t>(seed));
  } else {
    dice.SeedFromClock();
  }
}

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
