// Design unit: BromDataLookup.
// Where the game's data is. The game reads every file by its path "dat\..."
// relative to its data folder, the folder that holds `dat/`. That folder is,
// in this order: the working folder when it holds `dat/` (a game started in
// its source folder); else the folder named by the environment variable
// QUILLMOOR_DATA; else the installed `share/quillmoor` beside the folder of
// the program (`PREFIX/bin/quillmoor` reads `PREFIX/share/quillmoor`).
// The game enters the folder it finds, so every relative path reads from it.
#pragma once

#include <functional>
#include <string>
#include <vector>

// A folder to look in, and why it is looked in (for the message).
struct TDataCandidate {
  std::string Folder;
  std::string Why;
};

// The folders to look in, in order: "." first, then the environment's folder
// when it is set and not empty, then `share/quillmoor` under the parent of
// `programFolder` (the folder that holds the running program; none when it is
// empty).
std::vector<TDataCandidate> DataFolderCandidates(const char* environmentFolder,
                                                 const std::string& programFolder);
// The first candidate for which `holdsData` says yes; "" when none does.
std::string FirstDataFolder(const std::vector<TDataCandidate>& candidates,
                            const std::function<bool(const std::string&)>& holdsData);
// True when the folder holds a folder named `dat`.
bool HoldsDataFolder(const std::string& folder);
// The folder of the running program (from /proc/self/exe); "" when unknown.
std::string ProgramFolder();
// The message shown when no candidate holds the data (UTF-8): every folder
// looked in, and how to make the game find its data.
std::string NoDataFolderMessage(const std::vector<TDataCandidate>& candidates);
// Finds the data folder and makes it the working folder. False when none
// holds the data or it cannot be entered; `lookedIn` receives the candidates.
bool EnterDataFolder(std::vector<TDataCandidate>& lookedIn);
