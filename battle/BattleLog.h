// Design unit: UnitPaint (its log store).
// The battle log. The log store holds the lines of the
// shown battle: the battle engine appends one line at a time, the scroll
// timer glides new lines into the six-line window and drops the lines that
// have left it. While the battle's log is off (a simulated or skipped battle)
// the store and the panels stay untouched.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr int LogCapacity = 256;  // lines the store may hold
constexpr int LogLinePitch = 18;  // pixels per line
constexpr int LogViewLines = 6;   // lines of the log window

struct TLogStore {
  std::string LogLines[LogCapacity + 1];  // 0 .. LogCount-1 in use, 0 the topmost kept
  std::int32_t LogCount = 0;
  std::int32_t LogScroll = 0;  // pixels of scrolling still to be shown
  bool LineAppended = false;   // set by every line actually stored
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

// Unless the log is off: starts the log as six blank lines, nothing to scroll.
void LogClear();
// Unless the log is off: appends a line (empty text, empty line) at the
// bottom. A store already holding 256 lines is an internal error.
void LogAppend(std::string_view text);
// Drops line 0; the others move up one place.
void LogDropFirst();
