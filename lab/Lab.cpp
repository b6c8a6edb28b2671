#include "lab/Lab.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <string>

#include "lab/LabOptions.h"
#include "present/Path.h"

namespace {

std::map<std::string, TLabCommand>& Commands() {
  static std::map<std::string, TLabCommand> commands;
  return commands;
}

const char* const ExitCodes =
    "exit codes: 0 fine; 1 the file or build given has a fault; 2 bad usage (an unknown\n"
    "option, a missing or malformed argument); 3 the lab itself failed.";

// The list of commands, on standard output.
int Overview(std::FILE* to, int status) {
  std::fprintf(to,
               "usage: quillmoor-lab [--data DIR] COMMAND [ARGS]\n"
               "       quillmoor-lab --version\n\ncommands:\n");
  for (const auto& [name, command] : Commands()) {
    std::fprintf(to, "  %-13s %s\n", name.c_str(), command.Summary);
  }
  std::fprintf(
      to,
      "\n'quillmoor-lab help COMMAND' or 'quillmoor-lab COMMAND --help' shows a command's\n"
      "arguments and what it prints. Text files are read as Shift-JIS (cp932), as the game\n"
      "reads them; output is UTF-8. The game's data (dat/, with at least swordia.txt and\n"
      "title.bmp) is found as the game finds it: in the folder --data DIR names (the folder\n"
      "holding dat, or dat itself; anywhere on the line), else the working folder, then\n"
      "QUILLMOOR_DATA, then the installed data. Files named on the line are read as named.\n"
      "%s\n",
      ExitCodes);
  return status;
}

int CommandHelp(const TLabCommand& command) {
  std::printf("usage: quillmoor-lab %s %s\n%s\n\n", command.Name, command.Usage, command.Summary);
  LabPrint(command.Help);
  std::printf("\n%s\n", ExitCodes);
  return LabExitFine;
}

// True when the arguments ask for help ("--help" or "-h" before any "--").
bool AsksForHelp(int argc, char** argv) {
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) return false;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
  }
  return false;
}

}  // namespace

TLabRegistration::TLabRegistration(const TLabCommand& command) {
  Commands()[command.Name] = command;
}

void LabPrint(std::string_view cp932Line) {
  const std::string text = Cp932ToUtf8Lenient(cp932Line);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

void LabError(std::string_view cp932Line) {
  std::fflush(stdout);
  const std::string text = Cp932ToUtf8Lenient(cp932Line);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

bool LabArgToCp932(std::string_view utf8, std::string& cp932) {
  try {
    cp932 = Utf8ToCp932(utf8);
    return true;
  } catch (const TTextConversionError&) {
    return false;
  }
}

bool LabParseInt(std::string_view text, long long& value) {
  if (text.empty() || text.size() > 18) return false;
  std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size()) return false;
  long long n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
  }
  value = text[0] == '-' ? -n : n;
  return true;
}

int LabRun(int argc, char** argv, const TLabPlatform& platform) {
  // 1. "help", "help COMMAND", "--help", "-h".
  const bool help =
      argc >= 2 && (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0 ||
                    std::strcmp(argv[1], "-h") == 0);
  if (argc < 2) {
    std::fprintf(stderr, "quillmoor-lab: no command given (see 'quillmoor-lab help')\n");
    return LabExitUsage;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quillmoor-lab %s\n", QUILLMOOR_VERSION);
    return LabExitFine;
  }
  if (help && argc == 2) return Overview(stdout, LabExitFine);
  const char* name = help ? argv[2] : argv[1];
  const auto it = Commands().find(name);
  if (it == Commands().end()) {
    std::fprintf(stderr, "quillmoor-lab: unknown command '%s' (see 'quillmoor-lab help')\n", name);
    return LabExitUsage;
  }
  if (help && argc > 3) {
    std::fprintf(stderr, "usage: quillmoor-lab help [COMMAND]\n");
    return LabExitUsage;
  }
  // 2. The command's own help.
  if (help || AsksForHelp(argc, argv)) return CommandHelp(it->second);
  // 3. The command.
  TLabArgs args(argv + 2, argv + argc);
  try {
    return it->second.Run(args, platform);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillmoor-lab %s: %s\n", name, e.what());
    return LabExitInternal;
  }
}
