// quillmoor-lab check-roster [FILE]: validates a roster exactly as the game
// does, looking portraits up in the folder that holds the file. The game's
// own message goes to standard output as the message box shows it; where the
// lab can tell more (which number, the total found, the character, the path
// tried and why the picture failed), one hint line follows on standard
// error. A sound roster may still draw warnings: two entries of one name,
// and portraits that lie outside the data folder.
#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <string>

#include "data/Roster.h"
#include "lab/Lab.h"
#include "lab/LabInput.h"
#include "lab/LabOptions.h"
#include "lab/LabPlatform.h"
#include "present/Path.h"
#include "rules/SjisText.h"
#include "script/TextFile.h"

namespace {

// Shows a fault as the message box would: CR LF is a line break.
void PrintFault(const std::string& fault) {
  std::string text;
  for (std::size_t i = 0; i < fault.size(); ++i) {
    if (fault[i] == '\r' && i + 1 < fault.size() && fault[i + 1] == '\n') continue;
    text.push_back(fault[i]);
  }
  LabPrint(text);
}

void Hint(const std::string& text) {
  LabError("hint: " + text);
}

// The value of a keyword line, as the roster reads it.
std::string ValueOf(const std::string& line, std::string_view keyword) {
  return line.starts_with(keyword) ? TrimControl(std::string_view(line).substr(keyword.size()))
                                   : std::string();
}

// Which of the four numbers is not one.
void HintNumber(const std::string& value) {
  static const char* const Names[4] = {"HP", "attack", "defence", "speed"};
  const TStringDynArray parts = TBromString::Split(value, "/");
  for (std::size_t i = 0; i < 4 && i < parts.size(); ++i) {
    std::int32_t n = 0;
    const std::string part = TrimControl(parts[i]);
    if (TBromString::ParseDecimal(part, n)) continue;
    Hint(std::string("the ") + Names[i] + " part '" + part + "' is " +
         (part.empty() ? "empty" : "not a whole number") + " (HP/attack/defence/speed/swords)");
    return;
  }
}

// The total the build costs, piece by piece.
void HintTotal(const std::string& value) {
  TSpec spec;
  std::string fault;
  if (!ParseSpecText(value, spec, fault, false)) return;
  const int swords = TBromString::CharCount(spec.Swords.View());
  Hint("the build costs " + std::to_string(BonusTotal(spec)) + ": HP " +
       std::to_string(spec.MaxHP) + " / 5 + attack " + std::to_string(spec.Attack) + " + defence " +
       std::to_string(spec.Defence) + " + speed " + std::to_string(spec.Speed) + " + " +
       std::to_string(swords) + " swords; it must be " + std::to_string(RosterBonusTotal));
}

// The first character of the sword list that is no mark.
void HintSword(const std::string& value) {
  const TStringDynArray parts = TBromString::Split(value, "/");
  if (parts.size() != 5) return;
  const std::string swords = TBromString::LeftBytes(TrimControl(parts[4]), SwordsBytes);
  int k = 1;
  for (std::size_t i = 0; i < swords.size(); ++k) {
    const std::size_t len = TBromString::CharLength(swords, i);
    const std::string c = swords.substr(i, len);
    if (!IsSwordMark(c)) {
      Hint("character " + std::to_string(k) + " of the sword list, '" + c + "', is " +
           (c == " " || c == "　" ? std::string("a space; write the marks without spaces")
                                  : std::string("not one of the 35 sword marks")));
      return;
    }
    i += len;
  }
}

// The path tried for the portrait and why it failed.
void HintImage(const std::string& value, const std::string& folder, const TLabPlatform& platform) {
  const std::string name = value.empty() ? "noimage.bmp" : value;
  const std::string path = folder + name;
  try {
    DiskPath(path);
  } catch (const TTextConversionError&) {
    Hint("the portrait's name " + name + " is not Shift-JIS text");
    return;
  }
  // 1. The file, opened as the game opens it.
  std::string why;
  std::FILE* opened = OpenProgramFile(path, &why);
  if (opened != nullptr) {
    std::fclose(opened);
    // 2. Its size from its header, never more than a portrait decoded.
    TPictureReading image;
    try {
      image = platform.ReadPortrait(path);
    } catch (const std::exception& e) {
      image.Result = TPictureReading::TResult::Undecodable;
      image.Fault = e.what();
    }
    if (image.Result == TPictureReading::TResult::Shown) {
      why = "it is " + std::to_string(image.Width) + " x " + std::to_string(image.Height) +
            " pixels and can be read now";
    } else if (image.Result == TPictureReading::TResult::TooLarge) {
      why = "it is " + std::to_string(image.Width) + " x " + std::to_string(image.Height) +
            " pixels; a portrait is at most " + std::to_string(PortraitSize) + " x " +
            std::to_string(PortraitSize);
    } else {
      why = "it cannot be decoded (" + image.Fault + ")";
      const std::size_t dot = name.rfind('.');
      const std::string ending = dot == std::string::npos ? "" : name.substr(dot);
      if (ending != ".jpg" && ending != ".jpeg" && TBromString::SameText(ending, ".jpg")) {
        why += "; only the endings .jpg and .jpeg, in lower case, are read as JPEG";
      } else if (ending != ".jpg" && ending != ".jpeg" && ending != ".bmp") {
        why += "; a portrait is a .bmp or a .jpg file";
      }
    }
  }
  Hint("tried " + ShownPath(path) + ": " + why);
}

// A hint for the fault the game found, from the message and the line.
void HintFor(const TLabTextFile& file, const std::string& fault, const TStringDynArray& lines,
             int count, const TTextFileFault& read, const TLabPlatform& platform) {
  const std::size_t br = fault.find("\r\n");
  const std::string message = fault.substr(0, br);
  int lineNumber = 0;
  if (br != std::string::npos) lineNumber = std::atoi(fault.c_str() + br + 2);
  const std::string line = lineNumber >= 1 && lineNumber <= count
                               ? lines[static_cast<std::size_t>(lineNumber - 1)]
                               : std::string();
  const std::string spec = ValueOf(line, "#Spec");
  if (message == "数値記述が不正です。") {
    HintNumber(spec);
  } else if (message ==
             "途心（ボーナス合計）が" + std::to_string(RosterBonusTotal) + "になっていません。") {
    HintTotal(spec);
  } else if (message == "剣の記述が不正です。") {
    HintSword(spec);
  } else if (message == "画像ファイルが無いか読めないか大き過ぎます。") {
    HintImage(ValueOf(line, "#Image"), file.Folder(), platform);
  } else if (message.starts_with("名前が長すぎます。")) {
    Hint("the name is " + std::to_string(ValueOf(line, "#Name").size()) + " bytes");
  } else if (message.starts_with("行が長すぎます。")) {
    Hint("the line is " + std::to_string(line.size()) + " bytes (a full-width character is 2)");
  } else if (message.ends_with("で始まらない不正な入力です。")) {
    Hint(
        "an entry is #Name, #Spec, #Image, #FlavorBegin, flavour lines, #FlavorEnd, each "
        "keyword at the very start of its line");
  } else if (message.starts_with("剣師データが足りません。")) {
    Hint("the file holds " + std::to_string(NameLinesOf(lines, count).size()) + " entries");
  } else if (message == "剣師データが途中で途切れています。") {
    const std::vector<int> names = NameLinesOf(lines, count);
    if (!names.empty()) {
      Hint("the entry that begins on line " + std::to_string(names.back()) +
           " is not complete: an entry ends with its #FlavorEnd line");
    }
  } else if (br == std::string::npos && message.starts_with("【エラー】")) {
    struct stat st {};
    if (stat(DiskPath(file.Path()).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      Hint(file.Name() + " is a folder: name the roster file in it");
    } else if (read.Kind != TTextFileFault::TKind::None) {
      Hint(file.Name() + ": " + TextFileFaultText(read, RosterLineCapacity - 1));
    }
  }
}

// Names of the roster that are not the data folder's: an absolute path or
// one that climbs out with "..".
bool LeavesDataFolder(std::string_view name) {
  if (name.starts_with("/") || name.starts_with("\\")) return true;
  if (name.size() >= 2 && name[1] == ':') return true;  // a drive letter
  std::string part;
  for (std::size_t i = 0; i <= name.size();) {
    const std::size_t len = i < name.size() ? TBromString::CharLength(name, i) : 1;
    if (i == name.size() || (len == 1 && (name[i] == '/' || name[i] == '\\'))) {
      if (part == "..") return true;
      part.clear();
    } else {
      part.append(name.substr(i, len));
    }
    i += len;
  }
  return false;
}

// Warnings about a roster the game accepts.
int Warnings(const TLabTextFile& file, const TLabRoster& roster) {
  int warnings = 0;
  std::map<std::string, int> names;
  for (std::size_t i = 0; i < roster.Entries.size(); ++i) {
    const TSwordia& e = roster.Entries[i];
    const int line = roster.NameLines[i];
    const auto [at, fresh] = names.emplace(e.Name, line);
    if (!fresh) {
      LabError("warning: " + file.Name() + ":" + std::to_string(line) + ": the name " + e.Name +
               " is also on line " + std::to_string(at->second) +
               "; players and the lab's reports cannot tell the two apart");
      ++warnings;
    }
    if (LeavesDataFolder(e.ImageFile)) {
      LabError("warning: " + file.Name() + ":" + std::to_string(line) + ": the portrait " +
               e.ImageFile +
               " lies outside the data folder; a copy of the game's folder will miss it");
      ++warnings;
    }
  }
  return warnings;
}

int CheckRoster(const TLabArgs& args, const TLabPlatform& platform) {
  TLabOptions options("check-roster", args);
  const bool utf8 = options.Flag("--utf8");
  if (!options.Finish()) return LabExitUsage;
  if (options.Operands().size() > 1) return options.UsageError("one roster file at most");
  TLabTextFile file;
  bool usage = false;
  if (!file.Open("check-roster", options.Operands().empty() ? std::string() : options.Operands()[0],
                 RosterFileName, utf8, usage)) {
    return usage ? LabExitUsage : LabExitFault;
  }
  const bool looksUtf8 = file.WarnIfUtf8("check-roster");
  TLabRoster roster;
  std::string fault;
  if (!ReadLabRoster(file, platform.Portraits(), roster, fault)) {
    PrintFault(fault);
    // The hint reads the line again; a UTF-8 file is already explained.
    if (!looksUtf8) {
      TStringDynArray lines;
      std::string result;
      int count = 0;
      TTextFileFault read;
      TBromFileAccess::InTextSet(file.ReadPath(), lines, result, count, RosterLineCapacity - 1,
                                 &read);
      HintFor(file, fault, lines, count, read, platform);
    }
    return LabExitFault;
  }
  LabPrint("OK: " + std::to_string(roster.Entries.size()) + " entries");
  Warnings(file, roster);
  return looksUtf8 ? LabExitFault : LabExitFine;
}

const TLabRegistration registration(
    {"check-roster", "[--utf8] [FILE]", "validate a roster exactly as the game does",
     "Reads FILE (default dat/swordia.txt) with every check of the game, portraits looked up\n"
     "in the folder that holds it. Prints 'OK: N entries', or the game's message for the\n"
     "first fault exactly as its message box shows it (message, then line number: line).\n"
     "Standard error adds one 'hint:' line where the lab can say more (which number, the\n"
     "total found, the character, the portrait path tried and why it failed), a line when\n"
     "the file looks like UTF-8, and 'warning:' lines for a roster the game accepts but\n"
     "that has two entries of one name or portraits outside the data folder (exit 0).\n"
     "--utf8 reads a UTF-8 file as it is. A file that looks like UTF-8 is a fault (exit 1).",
     CheckRoster});

}  // namespace
