#include "lab/LabGrowthCommon.h"

#include <cstdio>

#include "data/UnitRoster.h"
#include "present/BromPath.h"
#include "rules/UnitRandom.h"

std::string BuildNotation(const TSpec& spec) {
  return std::to_string(spec.MaxHP) + "/" + std::to_string(spec.Attack) + "/" +
         std::to_string(spec.Defence) + "/" + std::to_string(spec.Speed) + "/" +
         spec.Swords.Str();
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

bool ReadRosterBuilds(const std::string& path, std::vector<TRosterBuild>& builds) {
  std::string diskPath = path.empty() ? DiskPath("dat\\swordia.txt") : path;
  std::FILE* file = std::fopen(diskPath.c_str(), "rb");
  if (file == nullptr) {
    LabError("cannot read the roster " + diskPath);
    return false;
  }
  std::string bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  std::fclose(file);
  // Flavour lines never begin with "#", so the keyword lines stand out.
  std::size_t start = 0;
  for (int lineNumber = 1; start < bytes.size(); ++lineNumber) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (line.rfind("#Name", 0) == 0) {
      builds.push_back({TrimControl(std::string_view(line).substr(5)), TSpec()});
    } else if (line.rfind("#Spec", 0) == 0 && !builds.empty()) {
      std::string fault;
      if (!ParseSpecText(TrimControl(std::string_view(line).substr(5)), builds.back().Spec,
                         fault)) {
        LabError(fault + " (line " + std::to_string(lineNumber) + ": " + line + ")");
        return false;
      }
    }
  }
  return true;
}

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

