// Design unit: BromDataLookup.
// Where the game's data is. The game reads every file by its path "dat\..."
// relative to its data folder, the folder that holds `dat/`. A folder is the
// game's data folder only when its `dat/` holds the roster (`swordia.txt`)
// and the title picture (`title.bmp`) as regular files: any other folder
// named `dat` (an unrelated one in the home folder, an author's partial copy)
// is passed over, with the reason, and the search goes on. The folder is, in
// this order: the one `--data` names, which is then the only one looked in
// (the folder holding `dat/`, or `dat/` itself); else the working folder;
// else the folder named by the environment variable QUILLMOOR_DATA; else the
// installed `share/quillmoor` beside the folder of the program
// (`PREFIX/bin/quillmoor` reads `PREFIX/share/quillmoor`). The game enters
// the folder it finds, so every relative path reads from it; the lab reads
// its "dat\..." paths from it (SetDataRoot) and keeps its working folder for
// the files named on its command line.
#pragma once

#include <functional>
#include <string>
#include <vector>

// A folder to look in, why it is looked in, and why it was passed over
// (empty until it has been looked in, and for the folder found).
struct TDataCandidate {
  std::string Folder;
  std::string Why;
  std::string PassedOver;
};

// The folders to look in, in order: "." first, then the environment's folder
// when it is set and not empty, then `share/quillmoor` under the parent of
// `programFolder` (the folder that holds the running program; none when it is
// empty).
std::vector<TDataCandidate> DataFolderCandidates(const char* environmentFolder,
                                                 const std::string& programFolder);
// The one candidate `--data DIR` makes: DIR when it holds `dat/`, or DIR's
// parent when DIR is itself a folder named `dat` holding the game's data.
TDataCandidate NamedDataFolder(const std::string& named);
// Why a folder is not the game's data folder ("it holds no folder dat",
// "dat/title.bmp is missing", ...), or "" when it is.
std::string DataFolderFault(const std::string& folder);
// The first candidate for which `faultOf` finds no fault; "" when none. Each
// candidate looked in and passed over keeps its fault in PassedOver.
std::string FirstDataFolder(std::vector<TDataCandidate>& candidates,
                            const std::function<std::string(const std::string&)>& faultOf);
// The folder of the running program (from /proc/self/exe); "" when unknown.
std::string ProgramFolder();
// The message shown when no candidate holds the data (UTF-8): every folder
// looked in and why it was passed over, and how to make the game find its
// data.
std::string NoDataFolderMessage(const std::vector<TDataCandidate>& candidates);
// Finds the data folder: the one `named` names when it is not empty (from
// `--data`), else the first of the search. "" when none holds the data;
// `lookedIn` receives the candidates.
std::string FindDataFolder(const std::string& named, std::vector<TDataCandidate>& lookedIn);
// Finds the data folder and makes it the working folder. False when none
// holds the data or it cannot be entered.
bool EnterDataFolder(const std::string& named, std::vector<TDataCandidate>& lookedIn);
