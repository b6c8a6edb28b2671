// Fuzz harness: the roster. The input is read as the roster file, its
// portraits looked up in fuzz/roster/portraits/ (small pictures under the
// names the seeds use). Every input must end in a roster of 32 to 100 entries
// or in one of the roster's fault messages, quoting at most 256 bytes of its
// line.
#include <cstdio>
#include <string>
#include <vector>

#include "data/Roster.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzOutcomes.h"
#include "present/Path.h"
#include "present/PictureCheck.h"

namespace {

void CheckRoster(const std::string& path) {
  std::vector<TSwordia> entries;
  std::string fault;
  if (ReadRoster(path, QUILLMOOR_FUZZ_PORTRAITS, PictureCheck(), entries, fault)) {
    if (entries.size() < RosterMinEntries || entries.size() > RosterMaxEntries) {
      FuzzFailure("a roster of " + std::to_string(entries.size()) + " entries was accepted");
    }
    std::fprintf(stderr, "a roster of %zu entries\n", entries.size());
    return;
  }
  std::fprintf(stderr, "%s\n", Cp932ToUtf8Lenient(fault).c_str());
  const std::string problem = RosterFaultProblem(fault);
  if (!problem.empty()) FuzzFailure(problem + ": " + fault);
}

}  // namespace

int main(int argc, char** argv) {
  return FuzzEachInput(argc, argv, CheckRoster);
}
