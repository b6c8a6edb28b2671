// quillmoor-lab check-roster [FILE]: validates a roster exactly as the game
// does, looking portraits up in the folder that holds the file.
#include <string>

#include "data/Roster.h"
#include "lab/Lab.h"
#include "rules/SjisText.h"

namespace {

// The folder part of a program path, with its separator ("dat\\" for
// "dat\\swordia.txt"), or empty for a bare file name. Both '\\' and '/'
// separate; a '\\' that is the trail byte of a double-byte character does not.
std::string FolderOf(std::string_view path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t len = TBromString::CharLength(path, i);
    if (len == 1 && (path[i] == '\\' || path[i] == '/')) end = i + 1;
    i += len;
  }
  return std::string(path.substr(0, end));
}

// Shows a fault as the message box would: CR LF is a line break.
void PrintFault(const std::string& fault) {
  std::string text;
  for (std::size_t i = 0; i < fault.size(); ++i) {
    if (fault[i] == '\r' && i + 1 < fault.size() && fault[i + 1] == '\n') continue;
    text.push_back(fault[i]);
  }
  LabPrint(text);
}

int CheckRoster(const TLabArgs& args) {
  if (args.size() > 1) {
    LabError("usage: quillmoor-lab check-roster [FILE]");
    return 2;
  }
  std::string path = RosterFileName;
  if (!args.empty() && !LabArgToCp932(args[0], path)) {
    LabError("check-roster: the file name has no Shift-JIS form");
    return 2;
  }
  std::vector<TSwordia> entries;
  std::string fault;
  if (!ReadRoster(path, FolderOf(path), entries, fault)) {
    PrintFault(fault);
    return 1;
  }
  LabPrint("OK: " + std::to_string(entries.size()) + " entries");
  return 0;
}

const TLabRegistration registration({"check-roster",
                                     "[FILE]  validate a roster as the game does "
                                     "(default dat\\swordia.txt)",
                                     CheckRoster});

}  // namespace
