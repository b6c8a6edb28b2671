#include "lab/LabInput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/Roster.h"
#include "lab/Lab.h"
#include "lab/LabOptions.h"
#include "present/Path.h"
#include "rules/SjisText.h"
#include "script/TextFile.h"

namespace {

// The whole text file, read the game's way (only a regular file); false when
// it cannot be read or is larger than the game reads a text file, and the
// game's own reader then speaks for it.
constexpr std::int64_t MaxWholeTextBytes = MaxTextFileBytes;
bool ReadWholeText(const std::string& programPath, std::string& bytes) {
  return ReadProgramFile(programPath, MaxWholeTextBytes, bytes);
}

// The 1-based line number of the first line of `utf8` that has no Shift-JIS
// form, or 0.
int FirstUnconvertibleLine(std::string_view utf8) {
  int line = 1;
  std::size_t start = 0;
  while (start <= utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string_view::npos) end = utf8.size();
    try {
      Utf8ToCp932(utf8.substr(start, end - start));
    } catch (const TTextConversionError&) {
      return line;
    }
    start = end + 1;
    ++line;
  }
  return 0;
}

}  // namespace

TLabTextFile::~TLabTextFile() {
  if (copyFolder_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(copyFolder_, ignored);
}

bool TLabTextFile::Open(const char* command, const std::string& utf8Arg, const char* gamePath,
                        bool fromUtf8, bool& usage) {
  usage = false;
  path_ = gamePath;
  if (!utf8Arg.empty() && !LabArgToCp932(utf8Arg, path_)) {
    std::fprintf(stderr, "quillmoor-lab %s: the file name '%s' has no Shift-JIS form\n", command,
                 utf8Arg.c_str());
    usage = true;
    return false;
  }
  readPath_ = path_;
  if (!fromUtf8) return true;

  // 1. The UTF-8 text. A file that cannot be read is left to the game's own
  // reader, whose message names it as the game would.
  std::string text;
  if (!ReadWholeText(path_, text)) return true;
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  // 2. Its Shift-JIS form; a line that has none is named.
  std::string converted;
  try {
    converted = Utf8ToCp932(text);
  } catch (const TTextConversionError&) {
    const int line = FirstUnconvertibleLine(text);
    LabError(std::string("quillmoor-lab ") + command + ": " + Name() + ": " +
             (line > 0 ? "line " + std::to_string(line) +
                             " is not UTF-8 or holds a character with no Shift-JIS form"
                       : std::string("the file is not UTF-8")));
    return false;
  }
  // 3. The copy, under the same name in a folder of its own.
  std::string folder = (std::filesystem::temp_directory_path() / "quillmoor-lab-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) {
    LabError(std::string("quillmoor-lab ") + command + ": cannot make a temporary folder");
    return false;
  }
  copyFolder_ = folder;
  const std::string name = path_.substr(FolderOf(path_).size());
  readPath_ = Utf8ToCp932(folder) + "/" + name;
  std::ofstream out(DiskPath(readPath_), std::ios::binary | std::ios::trunc);
  out.write(converted.data(), static_cast<std::streamsize>(converted.size()));
  if (!out) {
    LabError(std::string("quillmoor-lab ") + command + ": cannot write " + readPath_);
    return false;
  }
  return true;
}

std::string TLabTextFile::Folder() const {
  return FolderOf(path_);
}

std::string TLabTextFile::Shown(std::string_view text) const {
  std::string out(text);
  if (readPath_ == path_) return out;
  // The copy's path begins with '/', never the trail byte of a double-byte
  // character, so a byte-wise search cannot match inside one.
  for (std::size_t at = 0; (at = out.find(readPath_, at)) != std::string::npos;) {
    out.replace(at, readPath_.size(), path_);
    at += path_.size();
  }
  return out;
}

bool TLabTextFile::WarnIfUtf8(const char* command) const {
  if (readPath_ != path_) return false;
  std::string bytes;
  if (!ReadWholeText(path_, bytes)) return false;
  if (!LooksLikeUtf8(bytes)) return false;
  LabError(std::string("quillmoor-lab ") + command + ": " + Name() +
           " looks like UTF-8, but the game reads Shift-JIS (cp932): convert it with "
           "'iconv -f UTF-8 -t CP932', or read it as it is with --utf8");
  return true;
}

bool ReadLabRoster(const TLabTextFile& file, const TImageCheck& portraits, TLabRoster& roster,
                   std::string& fault) {
  roster = TLabRoster();
  if (!ReadRoster(file.ReadPath(), file.Folder(), portraits, roster.Entries, fault)) {
    fault = file.Shown(fault);
    return false;
  }
  // The "#Name" lines: a valid roster has one outside the flavour blocks for
  // each entry, and nothing else outside them begins with "#Name".
  TStringDynArray lines;
  std::string result;
  int count = 0;
  TBromFileAccess::InTextSet(file.ReadPath(), lines, result, count, RosterLineCapacity - 1);
  roster.NameLines = NameLinesOf(lines, count);
  roster.NameLines.resize(roster.Entries.size(), 0);
  return true;
}

std::vector<int> NameLinesOf(const std::vector<std::string>& lines, int count) {
  std::vector<int> found;
  bool inFlavor = false;
  for (int i = 0; i < count && i < static_cast<int>(lines.size()); ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i)];
    if (inFlavor) {
      inFlavor = line != "#FlavorEnd";
    } else if (line.starts_with("#Name")) {
      found.push_back(i + 1);
    } else if (line.starts_with("#FlavorBegin")) {
      inFlavor = true;
    }
  }
  return found;
}

std::string ShownPath(std::string_view programPath) {
  return SlashedPath(programPath);
}

std::string FolderOf(std::string_view path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t len = TBromString::CharLength(path, i);
    if (len == 1 && (path[i] == '\\' || path[i] == '/')) end = i + 1;
    i += len;
  }
  return std::string(path.substr(0, end));
}

int LoadLabRoster(const char* command, const std::string& utf8Arg, bool fromUtf8,
                  const TImageCheck& portraits, TLabRoster& roster) {
  TLabTextFile file;
  bool usage = false;
  if (!file.Open(command, utf8Arg, RosterFileName, fromUtf8, usage)) {
    return usage ? LabExitUsage : LabExitFault;
  }
  file.WarnIfUtf8(command);
  std::string fault;
  if (!ReadLabRoster(file, portraits, roster, fault)) {
    LabError(fault);
    return LabExitFault;
  }
  return -1;
}
