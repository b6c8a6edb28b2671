// Design unit: UnitPaint (its log store).
// The battle log: the lines of the shown match, from the six blank lines it
// starts with to its last line. The battle engine appends one line at a time;
// how the lines glide into the six-line window, and which of them have left
// it, is the battle screen's business. While the battle's log is off (a
// simulated or skipped battle) the store stays untouched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

constexpr int LogViewLines = 6;  // lines of the log window

struct TLogStore {
  std::vector<std::string> Lines;  // the current match's lines, the oldest first
  bool LineAppended = false;       // set by every line actually stored
};

// The log of the shown battle.
extern TLogStore LogStore;

// Hears every line the battle logs (not the blank lines that start a log):
// the lab prints them, the tests compare them.
class TLogListener {
 public:
  virtual ~TLogListener() = default;
  virtual void LineLogged(std::string_view line) = 0;
};
// Plugs in a listener; nullptr for none.
void SetLogListener(TLogListener* listener);

// Unless the log is off: starts the log as six blank lines, so that new lines
// enter the window at its bottom.
void LogClear();
// Unless the log is off: appends a line (empty text, empty line) at the
// bottom.
void LogAppend(std::string_view text);
