#include "lab/LabGrowthCommon.h"

#include "data/Roster.h"
#include "rules/Random.h"
#include "rules/SjisText.h"

std::string BuildNotation(const TSpec& spec) {
  return std::to_string(spec.MaxHP) + "/" + std::to_string(spec.Attack) + "/" +
         std::to_string(spec.Defence) + "/" + std::to_string(spec.Speed) + "/" + spec.Swords.Str();
}

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
  // The roster's reading cuts a long list to 40 bytes; a build typed here
  // is refused instead, so that the lab never works on a build not asked for.
  const TStringDynArray parts = TBromString::Split(text, "/");
  if (TrimControl(parts.back()).size() > static_cast<std::size_t>(SwordsBytes)) {
    LabError("a sword list holds at most 20 swords");
    return false;
  }
  return true;
}

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

bool TakeOption(TLabArgs& args, const char* name, std::string& value, bool& given) {
  given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 == args.size()) {
      LabError(std::string(name) + " needs a value");
      return false;
    }
    value = args[i + 1];
    given = true;
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    return true;
  }
  return true;
}

bool ReadRosterEntries(const std::string& path, std::vector<TSwordia>& entries) {
  std::string rosterPath = RosterFileName;
  std::string imageFolder = RosterImageFolder;
  if (!path.empty()) {
    if (!LabArgToCp932(path, rosterPath)) {
      LabError("roster path has no cp932 form: " + path);
      return false;
    }
    // '/' is never the trail byte of a double-byte character.
    const std::size_t slash = rosterPath.rfind('/');
    imageFolder = slash == std::string::npos ? std::string() : rosterPath.substr(0, slash + 1);
  }
  std::string fault;
  if (!ReadRoster(rosterPath, imageFolder, entries, fault)) {
    LabError(fault);
    return false;
  }
  return true;
}

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
