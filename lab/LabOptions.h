// The command line of one lab command: its options are taken out of the
// arguments by name, and what is left are the operands. Every lab command
// reads its arguments through this class, so that all of them treat options
// alike: an option's value is the next argument (or joined to it by '='),
// "--" ends the options, and an option no command knows is named in the
// message that refuses it.
//
// Exit codes shared by every command (the help lists them):
//   0  the command ran and found nothing wrong;
//   1  the file or the build it was given has a fault;
//   2  bad usage: an unknown option, a missing or malformed value or operand;
//   3  the lab itself failed (a battle that never ends, an internal error).
#pragma once

#include <string>
#include <string_view>

#include "lab/Lab.h"

constexpr int LabExitFine = 0;
constexpr int LabExitFault = 1;
constexpr int LabExitUsage = 2;
constexpr int LabExitInternal = 3;

class TLabOptions {
 public:
  // `command` names the command in messages ("quillmoor-lab story: ...").
  TLabOptions(const char* command, const TLabArgs& args);

  // Takes the flag "--name"; true when it was given.
  bool Flag(const char* name);
  // Takes "--name VALUE"; false, with a message, when the value is missing.
  bool Value(const char* name, std::string& value, bool& given);
  // Takes "--name N" with a whole number from `low` to `high`; false, with a
  // message, when the value is missing or not such a number. `value` is left
  // as it was when the option is not given.
  bool Number(const char* name, long long low, long long high, long long& value);

  // Once every known option has been taken: false, with a message naming
  // it, when an unknown option is left.
  bool Finish();
  // The operands, in order (valid after Finish).
  const TLabArgs& Operands() const { return operands_; }

  // Prints "quillmoor-lab COMMAND: " + message, and where to find the usage,
  // on standard error; returns LabExitUsage.
  int UsageError(const std::string& message) const;

 private:
  // The index of "--name" among the arguments before "--", or -1. For an
  // option that takes a value, a value joined to it ("--name=VALUE") is
  // split off into the next argument.
  int Find(const char* name, bool takesValue);

  std::string command_;
  TLabArgs args_;
  TLabArgs operands_;
};

// True when an argument reads as an option: "--word" or "-letter". A negative
// number ("-5") or a build ("-5/0/0/0/") is an operand.
bool LooksLikeOption(std::string_view argument);
