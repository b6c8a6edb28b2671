#include "data/Roster.h"

#include <exception>
#include <map>
#include <string>

#include "rules/SjisText.h"
#include "script/TextFile.h"

const char* const RosterFileName = "dat\\swordia.txt";

namespace {

// A fault message quotes at most this many bytes of its line: a line of
// megabytes must not become a message box of megabytes.
constexpr std::size_t QuotedLineBytes = 256;

// The line as a fault message quotes it: whole when it is short enough,
// otherwise its first 256 bytes, cut between two characters, and "…".
std::string QuotedLine(std::string_view line) {
  if (line.size() <= QuotedLineBytes) return std::string(line);
  return TBromString::LeftChars(line, QuotedLineBytes) + "…";
}

// The reading of one roster: its lines, the cursor over them, the entries
// read so far and the first fault.
class TRosterReader {
 public:
  TRosterReader(std::string_view imageFolder, const TImageCheck& images)
      : imageFolder_(imageFolder), images_(images) {}

  bool Read(std::string_view rosterPath, std::vector<TSwordia>& entries, std::string& fault);

 private:
  enum class TKeyword { Found, End, Fault };

  TKeyword ReadKeyword(std::string_view keyword, std::string& value);
  bool ReadEntry(TSwordia& entry);
  bool ReadFlavor(TSwordia& entry);
  // A fault without line information.
  bool Fail(std::string message) {
    fault_ = std::move(message);
    return false;
  }
  // A fault found on the last line read: the message, CR LF, the line's
  // number and the line as read (cut when it is long).
  bool FailAtLine(std::string message) {
    const int index = cursor_ - 1;
    fault_ =
        std::move(message) + "\r\n" + std::to_string(index + 1) + ": " + QuotedLine(lines_[index]);
    return false;
  }

  std::string imageFolder_;
  const TImageCheck& images_;
  std::map<std::string, bool> portraitsChecked_;  // by program path
  TStringDynArray lines_;
  int count_ = 0;
  int cursor_ = 0;
  bool entryBegun_ = false;
  std::string fault_;
};

const char* const BreaksOff = "剣師データが途中で途切れています。";

// Reads the line of a keyword, skipping empty and comment lines before it.
TRosterReader::TKeyword TRosterReader::ReadKeyword(std::string_view keyword, std::string& value) {
  // 1. Skip to the next line that is neither empty nor a comment.
  while (cursor_ < count_) {
    const std::string& line = lines_[cursor_];
    ++cursor_;
    if (line.empty() || line.starts_with("//")) continue;
    entryBegun_ = true;
    // 2. The keyword starts the line, exactly; the value is the rest,
    // trimmed. A line of spaces is no skipped line: it fails here.
    if (!line.starts_with(keyword)) {
      FailAtLine(std::string(keyword) + "で始まらない不正な入力です。");
      return TKeyword::Fault;
    }
    value = TrimControl(std::string_view(line).substr(keyword.size()));
    return TKeyword::Found;
  }
  // 3. The lines are used up: inside an entry that is a fault, between
  // entries the end of the roster.
  if (entryBegun_) {
    Fail(BreaksOff);
    return TKeyword::Fault;
  }
  return TKeyword::End;
}

// Reads an entry from its "#Spec" line on (the name is already checked).
bool TRosterReader::ReadEntry(TSwordia& entry) {
  std::string value;
  // 1. The build.
  if (ReadKeyword("#Spec", value) != TKeyword::Found) return false;
  std::string specFault;
  if (!ParseSpecText(value, entry.Spec, specFault)) return FailAtLine(specFault);
  // 2. The portrait.
  if (ReadKeyword("#Image", value) != TKeyword::Found) return false;
  if (value.empty()) value = "noimage.bmp";
  // A portrait several entries name is decoded once: within one reading the
  // answer is the same.
  const std::string portrait = imageFolder_ + value;
  auto checked = portraitsChecked_.find(portrait);
  if (checked == portraitsChecked_.end()) {
    checked =
        portraitsChecked_.emplace(portrait, images_.Fits(portrait, PortraitSize, PortraitSize))
            .first;
  }
  if (!checked->second) {
    return FailAtLine("画像ファイルが無いか読めないか大き過ぎます。");
  }
  entry.ImageFile = value;
  // 3. The flavour block.
  if (ReadKeyword("#FlavorBegin", value) != TKeyword::Found) return false;
  if (!value.empty()) return FailAtLine("不正な記述です。");
  return ReadFlavor(entry);
}

// Reads flavour lines up to "#FlavorEnd", without skipping any.
bool TRosterReader::ReadFlavor(TSwordia& entry) {
  entry.Flavor.clear();
  for (;;) {
    if (cursor_ >= count_) return Fail(BreaksOff);
    const std::string& line = lines_[cursor_];
    ++cursor_;
    // Only the exact line ends the block: "#FlavorEnd " is a flavour line,
    // and then fails for its "#".
    if (line == "#FlavorEnd") return true;
    if (static_cast<int>(entry.Flavor.size()) >= RosterFlavorLines) {
      return FailAtLine("設定が長すぎます。最大" + std::to_string(RosterFlavorLines) +
                        "行までです。");
    }
    if (line.starts_with("#")) return FailAtLine("設定の行頭に#を置いてはいけません。");
    if (static_cast<int>(line.size()) > RosterFlavorLineBytes) {
      return FailAtLine("行が長すぎます。最大" + std::to_string(RosterFlavorLineBytes) +
                        "バイトまでです。");
    }
    entry.Flavor.push_back(line);
  }
}

bool TRosterReader::Read(std::string_view rosterPath, std::vector<TSwordia>& entries,
                         std::string& fault) {
  std::vector<TSwordia> read;
  const bool ok = [&] {
    // 1. The file.
    std::string result;
    TBromFileAccess::InTextSet(rosterPath, lines_, result, count_, RosterLineCapacity - 1);
    if (!TBromFileAccess::Succeeded(result)) return Fail(result);
    // 2. From the top, no entry begun.
    cursor_ = 0;
    entryBegun_ = false;
    for (;;) {
      // 3. The name line, or the end of the roster.
      std::string name;
      const TKeyword found = ReadKeyword("#Name", name);
      if (found == TKeyword::Fault) return false;
      if (found == TKeyword::End) break;
      // 4. Room for one more entry; counted before the entry is looked at.
      if (static_cast<int>(read.size()) >= RosterMaxEntries) {
        return Fail("剣師データが多すぎます。最大" + std::to_string(RosterMaxEntries) +
                    "体までです。");
      }
      // 5. The name.
      if (name.empty()) return FailAtLine("名前が空です。");
      if (static_cast<int>(name.size()) > RosterNameBytes) {
        return FailAtLine("名前が長すぎます。最大" + std::to_string(RosterNameBytes) +
                          "バイトまでです。");
      }
      // 6. The rest of the entry: the build, the portrait and the flavour.
      TSwordia entry;
      entry.Name = name;
      if (!ReadEntry(entry)) return false;
      // 7. The entry is complete, fresh for the tournament.
      entry.InTournament = true;
      entry.Wins = 0;
      entry.History.clear();
      entry.Bonus = 0;
      read.push_back(std::move(entry));
      entryBegun_ = false;
    }
    // 8. Enough entries for the draw.
    if (static_cast<int>(read.size()) < RosterMinEntries) {
      return Fail("剣師データが足りません。最低" + std::to_string(RosterMinEntries) +
                  "体必要です。");
    }
    return true;
  }();
  if (!ok) {
    fault = fault_;
    return false;
  }
  entries = std::move(read);
  return true;
}

}  // namespace

std::string TrimControl(std::string_view text) {
  return TBromString::Trim(text);
}

std::int64_t BonusTotal(const TSpec& spec) {
  // Counted in 64 bits: the roster accepts any 32-bit numbers, and their sum
  // must not wrap into a false 10.
  return std::int64_t{spec.MaxHP} / 5 + spec.Attack + spec.Defence + spec.Speed +
         TBromString::CharCount(spec.Swords.View());
}

bool ParseSpecText(std::string_view value, TSpec& spec, std::string& fault, bool checkTotal) {
  // 1. Exactly five parts.
  const TStringDynArray parts = TBromString::Split(value, "/");
  if (parts.size() != 5) {
    fault = "不正な記述です。スラッシュは4個でなくてはなりません。";
    return false;
  }
  // 2. Four numbers.
  std::int32_t numbers[4];
  for (int i = 0; i < 4; ++i) {
    if (!TBromString::ParseDecimal(TrimControl(parts[i]), numbers[i])) {
      fault = "数値記述が不正です。";
      return false;
    }
  }
  // 3. HP a multiple of 5.
  if (numbers[0] % 5 != 0) {
    fault = "HPは5の倍数でなくてはなりません。";
    return false;
  }
  // 4. Known sword marks, the list cut to 40 bytes.
  const std::string swords = TBromString::LeftBytes(TrimControl(parts[4]), SwordsBytes);
  for (std::size_t i = 0; i < swords.size();) {
    const std::size_t len = TBromString::CharLength(swords, i);
    if (!IsSwordMark(std::string_view(swords).substr(i, len))) {
      fault = "剣の記述が不正です。";
      return false;
    }
    i += len;
  }
  TSpec parsed;
  parsed.MaxHP = numbers[0];
  parsed.Attack = numbers[1];
  parsed.Defence = numbers[2];
  parsed.Speed = numbers[3];
  parsed.Swords = swords;
  // 5. The bonus total.
  if (checkTotal && BonusTotal(parsed) != RosterBonusTotal) {
    fault = "途心（ボーナス合計）が" + std::to_string(RosterBonusTotal) + "になっていません。";
    return false;
  }
  spec = parsed;
  return true;
}

bool ReadRoster(std::string_view rosterPath, std::string_view imageFolder,
                const TImageCheck& images, std::vector<TSwordia>& entries, std::string& fault) {
  TRosterReader reader(imageFolder, images);
  return reader.Read(rosterPath, entries, fault);
}
