#include "present/DataLookup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// The folder part of a path: "/usr/games/bin/quillmoor" -> "/usr/games/bin".
std::string ParentOf(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  const std::size_t slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

}  // namespace

std::vector<TDataCandidate> DataFolderCandidates(const char* environmentFolder,
                                                 const std::string& programFolder) {
  std::vector<TDataCandidate> candidates = {{".", "the working folder"}};
  if (environmentFolder != nullptr && *environmentFolder != '\0') {
    candidates.push_back({environmentFolder, "QUILLMOOR_DATA"});
  }
  if (!programFolder.empty()) {
    const std::string prefix = ParentOf(programFolder);
    candidates.push_back(
        {(prefix == "/" ? "" : prefix) + "/share/quillmoor", "the installed data"});
  }
  return candidates;
}

std::string FirstDataFolder(const std::vector<TDataCandidate>& candidates,
                            const std::function<bool(const std::string&)>& holdsData) {
  for (const TDataCandidate& c : candidates) {
    if (holdsData(c.Folder)) return c.Folder;
  }
  return "";
}

bool HoldsDataFolder(const std::string& folder) {
  struct stat st;
  return stat((folder + "/dat").c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (n <= 0) return "";
  path.resize(static_cast<std::size_t>(n));
  return ParentOf(path);
}

std::string NoDataFolderMessage(const std::vector<TDataCandidate>& candidates) {
  std::string where;
  for (const TDataCandidate& c : candidates) {
    std::string shown = c.Folder;
    if (shown == ".") {
      std::string cwd(4096, '\0');
      if (getcwd(cwd.data(), cwd.size()) != nullptr) shown = cwd.c_str();
    }
    where += "\n  " + shown + " (" + c.Why + ")";
  }
  return "The game's data (the folder dat) was not found. Looked in:" + where +
         "\nStart the game from the folder that holds dat, set QUILLMOOR_DATA to that folder, "
         "or install the game (cmake --install) so that its data is in share/quillmoor.";
}

bool EnterDataFolder(std::vector<TDataCandidate>& lookedIn) {
  lookedIn = DataFolderCandidates(std::getenv("QUILLMOOR_DATA"), ProgramFolder());
  const std::string found = FirstDataFolder(lookedIn, HoldsDataFolder);
  if (found.empty()) return false;
  return found == "." || chdir(found.c_str()) == 0;
}
