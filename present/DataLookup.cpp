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

// The files that make a folder `dat` the game's: without the roster there is
// no tournament, without the title picture not even a first screen.
constexpr const char* RequiredDataFiles[] = {"swordia.txt", "title.bmp"};

}  // namespace

std::vector<TDataCandidate> DataFolderCandidates(const char* environmentFolder,
                                                 const std::string& programFolder) {
  std::vector<TDataCandidate> candidates = {{".", "the working folder", ""}};
  if (environmentFolder != nullptr && *environmentFolder != '\0') {
    candidates.push_back({environmentFolder, "QUILLMOOR_DATA", ""});
  }
  if (!programFolder.empty()) {
    const std::string prefix = ParentOf(programFolder);
    candidates.push_back(
        {(prefix == "/" ? "" : prefix) + "/share/quillmoor", "the installed data", ""});
  }
  return candidates;
}

TDataCandidate NamedDataFolder(const std::string& named) {
  std::string trimmed = named;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.rfind('/');
  const bool isDat = trimmed.substr(slash == std::string::npos ? 0 : slash + 1) == "dat";
  if (isDat && !DataFolderFault(named).empty() && DataFolderFault(ParentOf(trimmed)).empty()) {
    return {ParentOf(trimmed), "--data", ""};
  }
  return {named, "--data", ""};
}

std::string DataFolderFault(const std::string& folder) {
  struct stat st;
  if (stat((folder + "/dat").c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return "it holds no folder dat";
  }
  for (const char* name : RequiredDataFiles) {
    const std::string shown = std::string("dat/") + name;
    if (stat((folder + "/" + shown).c_str(), &st) != 0) return shown + " is missing";
    if (!S_ISREG(st.st_mode)) return shown + " is not a regular file";
  }
  return "";
}

std::string FirstDataFolder(std::vector<TDataCandidate>& candidates,
                            const std::function<std::string(const std::string&)>& faultOf) {
  for (TDataCandidate& c : candidates) {
    c.PassedOver = faultOf(c.Folder);
    if (c.PassedOver.empty()) return c.Folder;
  }
  return "";
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
    where += "\n  " + shown + " (" + c.Why + "): " + c.PassedOver;
  }
  return "The game's data (the folder dat, holding swordia.txt and title.bmp) was not found. "
         "Looked in:" +
         where +
         "\nStart the game from the folder that holds dat, name that folder with --data, set "
         "QUILLMOOR_DATA to it, or install the game (cmake --install) so that its data is in "
         "share/quillmoor.";
}

std::string FindDataFolder(const std::string& named, std::vector<TDataCandidate>& lookedIn) {
  lookedIn = named.empty() ? DataFolderCandidates(std::getenv("QUILLMOOR_DATA"), ProgramFolder())
                           : std::vector<TDataCandidate>{NamedDataFolder(named)};
  return FirstDataFolder(lookedIn, DataFolderFault);
}

bool EnterDataFolder(const std::string& named, std::vector<TDataCandidate>& lookedIn) {
  const std::string found = FindDataFolder(named, lookedIn);
  if (found.empty()) return false;
  return found == "." || chdir(found.c_str()) == 0;
}
