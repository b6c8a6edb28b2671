// Design unit: BromFileAccess.
// Reading a text file into lines, and the result texts through which the
// script units report every outcome instead of raising: "【成功】" for
// success, "【不実行】" for a line a command does not handle, and texts that
// begin with "【エラー】" for errors.
//
// A line ends at CR LF or at LF alone; a lone CR is an ordinary byte of its
// line. The bytes are not converted: a Shift-JIS file gives Shift-JIS lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/SjisText.h"

// "【成功】"
extern const char* const BromSuccess;
// "【不実行】"
extern const char* const BromNotExecuted;
// "【エラー】", the head of every error text.
extern const char* const BromErrorHead;

// Every text file the game reads (the roster, the story) is bounded while it
// is read, before its lines are kept: a line holds at most MaxTextLineBytes
// bytes (its line end not counted) and a file at most MaxTextFileBytes. Both
// are far beyond any roster or story an author writes (the longest line the
// story screen shows is under 100 bytes), and keep the memory a file costs
// to a small multiple of its size.
inline constexpr int MaxTextLineBytes = 4096;
inline constexpr std::int64_t MaxTextFileBytes = std::int64_t{4} << 20;

// Why a text file was refused, for the lab to name the limit broken.
struct TTextFileFault {
  enum class TKind {
    None,
    Missing,       // no such file
    Unreadable,    // not a regular file, or a read failed
    TooManyLines,  // more lines than the reader was given room for
    LineTooLong,   // a line beyond MaxTextLineBytes
    TooLarge,      // the file beyond MaxTextFileBytes
  };
  TKind Kind = TKind::None;
  int Line = 0;  // the 1-based line at which the limit broke
};
// The fault in an author's words (English, for the lab): "line 3 is longer
// than 4096 bytes"; `high` is the highest line index the reader had room for.
std::string TextFileFaultText(const TTextFileFault& fault, int high);
// The file behind a text file's program path as an author finds it on disk
// (its absolute path, cp932), for a message that names the file read.
std::string ShownFilePath(std::string_view fileName);

class TBromFileAccess {
 public:
  TBromFileAccess() = delete;

  // Reads the file at the program path into `lines` (replacing what they
  // held) and sets `count` to the number of lines read. The result is
  // "【成功】"; "【エラー】存在しないファイル：" + file name when there is no
  // such file (then `count` and `lines` are untouched); or
  // "【エラー】【TBromFileAccess.InTextSet】" + file name when the file cannot
  // be opened or read, holds more than `high` + 1 lines, a line longer than
  // MaxTextLineBytes or more than MaxTextFileBytes (then `count` and `lines`
  // hold the whole lines read before, at most `high` + 1). Reading stops at
  // the first limit broken, which `fault` (when given) names. A last line
  // without a line end is still a line; an empty file has no lines.
  static void InTextSet(std::string_view fileName, TStringDynArray& lines, std::string& result,
                        int& count, int high, TTextFileFault* fault = nullptr);

  // True when the result text is exactly "【成功】".
  static bool Succeeded(std::string_view result) { return result == BromSuccess; }
};
