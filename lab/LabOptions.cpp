#include "lab/LabOptions.h"

#include <cctype>
#include <cstdio>

TLabOptions::TLabOptions(const char* command, const TLabArgs& args)
    : command_(command), args_(args) {}

int TLabOptions::Find(const char* name, bool takesValue) {
  for (std::size_t i = 0; i < args_.size(); ++i) {
    if (args_[i] == "--") break;
    if (args_[i] == name) return static_cast<int>(i);
    // "--name=VALUE": the value joined to its option.
    if (takesValue && args_[i].starts_with(std::string(name) + "=")) {
      args_.insert(args_.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                   args_[i].substr(std::string(name).size() + 1));
      args_[i] = name;
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool TLabOptions::Flag(const char* name) {
  const int i = Find(name, false);
  if (i < 0) return false;
  args_.erase(args_.begin() + i);
  return true;
}

bool TLabOptions::Value(const char* name, std::string& value, bool& given) {
  given = false;
  const int i = Find(name, true);
  if (i < 0) return true;
  if (static_cast<std::size_t>(i) + 1 >= args_.size()) {
    UsageError(std::string(name) + " needs a value");
    return false;
  }
  value = args_[static_cast<std::size_t>(i) + 1];
  given = true;
  args_.erase(args_.begin() + i, args_.begin() + i + 2);
  return true;
}

bool TLabOptions::Number(const char* name, long long low, long long high, long long& value) {
  std::string text;
  bool given = false;
  if (!Value(name, text, given)) return false;
  if (!given) return true;
  long long n = 0;
  if (!LabParseInt(text, n) || n < low || n > high) {
    UsageError(std::string(name) + " needs a whole number from " + std::to_string(low) + " to " +
               std::to_string(high) + ", not '" + text + "'");
    return false;
  }
  value = n;
  return true;
}

bool TLabOptions::Finish() {
  operands_.clear();
  bool optionsEnded = false;
  for (const std::string& a : args_) {
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && LooksLikeOption(a)) {
      UsageError("unknown option '" + a + "'");
      return false;
    } else {
      operands_.push_back(a);
    }
  }
  return true;
}

int TLabOptions::UsageError(const std::string& message) const {
  std::fprintf(stderr, "quillmoor-lab %s: %s (see 'quillmoor-lab help %s')\n", command_.c_str(),
               message.c_str(), command_.c_str());
  return LabExitUsage;
}

bool LooksLikeOption(std::string_view a) {
  if (a.size() < 2 || a[0] != '-') return false;
  if (a[1] == '-') return a.size() > 2;
  return std::isalpha(static_cast<unsigned char>(a[1])) != 0;
}
