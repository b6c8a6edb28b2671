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
  // The lines logged since the current click (or the battle's entry) began,
  // in order, across a match's start, without the blank lines a log starts
  // with: what the click showed, for the lab to print and the tests to read.
  std::vector<std::string> StepLines;
};

struct TBattle;

// Unless the battle's log is off: starts its log as six blank lines, so that
// new lines enter the window at its bottom.
void LogClear(TBattle& b);
// Unless the battle's log is off: appends a line (empty text, empty line) at
// the bottom of its log, and to the lines of the step.
void LogAppend(TBattle& b, std::string_view text);
// A click or the battle's entry begins: no line of it yet.
void LogStepStart(TLogStore& log);
