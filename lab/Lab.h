// The command-line lab for roster and story authors and for testers. Each
// command lives in its own file and registers itself here; text in and out is
// UTF-8, converted to and from the game's cp932 at this edge.
//
// "quillmoor-lab help" lists the commands; "quillmoor-lab help COMMAND" and
// "quillmoor-lab COMMAND --help" (or -h) show one command's help: its
// arguments, what it prints and what its exit codes mean.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TLabPlatform;

using TLabArgs = std::vector<std::string>;

struct TLabCommand {
  const char* Name;
  const char* Usage;    // the arguments, e.g. "[--seed N] ME PARTNER"
  const char* Summary;  // one line: what the command is for
  const char* Help;     // what it prints, line by line ('\n' between lines)
  // Runs the command on the args after its name, asking the platform what
  // it needs of it; returns the exit code.
  int (*Run)(const TLabArgs& args, const TLabPlatform& platform);
};

// Registers a command; used through a static TLabRegistration in each file.
struct TLabRegistration {
  explicit TLabRegistration(const TLabCommand& command);
};

// The whole lab: the command named by argv[1] (or the help) run with the
// platform's answers; returns the program's exit code.
int LabRun(int argc, char** argv, const TLabPlatform& platform);

// Writes a cp932 line to standard output as UTF-8, followed by '\n'.
void LabPrint(std::string_view cp932Line);
// Writes a cp932 message to standard error as UTF-8, followed by '\n'.
void LabError(std::string_view cp932Line);
// A command-line argument (UTF-8) as cp932; false when it has no cp932 form.
bool LabArgToCp932(std::string_view utf8, std::string& cp932);
// Parses a whole decimal integer option value; false when it is not one.
bool LabParseInt(std::string_view text, long long& value);
