// Design unit: BromFileAccess.
// Reading a text file into lines, and the result texts through which the
// script units report every outcome instead of raising: "【成功】" for
// success, "【不実行】" for a line a command does not handle, and texts that
// begin with "【エラー】" for errors.
//
// A line ends at CR LF or at LF alone; a lone CR is an ordinary byte of its
// line. The bytes are not converted: a Shift-JIS file gives Shift-JIS lines.
#pragma once

#include <string>
#include <string_view>

#include "rules/SjisText.h"

// "【成功】"
extern const char* const BromSuccess;
// "【不実行】"
extern const char* const BromNotExecuted;
// "【エラー】", the head of every error text.
extern const char* const BromErrorHead;

class TBromFileAccess {
 public:
  TBromFileAccess() = delete;

  // Reads the file at the program path into `lines` (replacing what they
  // held) and sets `count` to the number of lines read. The result is
  // "【成功】"; "【エラー】存在しないファイル：" + file name when there is no
  // such file (then `count` and `lines` are untouched); or
  // "【エラー】【TBromFileAccess.InTextSet】" + file name when the file cannot
  // be opened or read or holds more than `high` + 1 lines (then `count` and
  // `lines` hold what was read, at most `high` + 1 lines). A last line without
  // a line end is still a line; an empty file has no lines.
  static void InTextSet(std::string_view fileName, TStringDynArray& lines, std::string& result,
                        int& count, int high);

  // True when the result text is exactly "【成功】".
  static bool Succeeded(std::string_view result) { return result == BromSuccess; }
};
