// The author's files as the lab reads them: a roster or a story named on the
// command line (or the game's own), checked for the commonest mistake, a file
// left in UTF-8, and read either as the game reads it (Shift-JIS) or, with
// "--utf8", through a Shift-JIS copy made for the run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/ImageCheck.h"
#include "rules/Sword.h"

// A program path as the lab's own messages show it: every separator '\\'
// (not a trail byte) written '/', as on disk.
std::string ShownPath(std::string_view programPath);

// One text file named on the command line.
class TLabTextFile {
 public:
  TLabTextFile() = default;
  TLabTextFile(const TLabTextFile&) = delete;
  TLabTextFile& operator=(const TLabTextFile&) = delete;
  ~TLabTextFile();

  // Names the file: `utf8Arg` as typed (empty: `gamePath`, the game's own
  // program path). With `fromUtf8` the file is read as UTF-8 (a byte-order
  // mark dropped) and a Shift-JIS copy is made to be read in its place.
  // False, with a message on standard error, when the name has no Shift-JIS
  // form (bad usage) or, with `fromUtf8`, when the file is not UTF-8 or holds
  // a character with no Shift-JIS form (a fault of the file); `usage` tells
  // which.
  bool Open(const char* command, const std::string& utf8Arg, const char* gamePath, bool fromUtf8,
            bool& usage);

  // The program path as the author named it (the game's messages name it).
  const std::string& Path() const { return path_; }
  // The same as the lab's own messages show it: '/' between folders.
  std::string Name() const { return ShownPath(path_); }
  // The program path to read: Path(), or the Shift-JIS copy.
  const std::string& ReadPath() const { return readPath_; }
  // The folder part of Path() with its separator ("dat\\" for
  // "dat\\swordia.txt"), empty for a bare file name.
  std::string Folder() const;
  // A text the game's units produced about ReadPath(), with the copy's name
  // put back to Path().
  std::string Shown(std::string_view text) const;

  // Read as Shift-JIS (no "--utf8") but looks like UTF-8: prints the one
  // line that says so, and how to convert, on standard error. True when it
  // did.
  bool WarnIfUtf8(const char* command) const;

 private:
  std::string path_;
  std::string readPath_;
  std::string copyFolder_;  // disk path of the copy's folder, removed at the end
};

// A roster as the lab uses it: the entries and, for each, the 1-based number
// of its "#Name" line.
struct TLabRoster {
  std::vector<TSwordia> Entries;
  std::vector<int> NameLines;
};

// The 1-based numbers of the "#Name" lines of roster lines: the lines
// outside flavour blocks that begin with "#Name".
std::vector<int> NameLinesOf(const std::vector<std::string>& lines, int count);

// Reads and checks the roster as the game does, portraits looked up in the
// file's folder and checked by `portraits`. False with the game's fault text
// (CR LF kept) otherwise.
bool ReadLabRoster(const TLabTextFile& file, const TImageCheck& portraits, TLabRoster& roster,
                   std::string& fault);

// What a lab command that plays with a roster does first: opens the file it
// was given (the game's roster by default), warns when it looks like UTF-8,
// and reads it as the game does, printing the fault. Returns -1 when the
// roster is ready, otherwise the command's exit code.
int LoadLabRoster(const char* command, const std::string& utf8Arg, bool fromUtf8,
                  const TImageCheck& portraits, TLabRoster& roster);

// The folder part of a program path, with its separator. Both '\\' and '/'
// separate; a '\\' that is the trail byte of a double-byte character does not.
std::string FolderOf(std::string_view programPath);
