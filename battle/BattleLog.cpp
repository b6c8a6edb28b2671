#include "battle/BattleLog.h"

#include <utility>

#include "battle/Battle.h"
#include "rules/Sword.h"

TLogStore LogStore;

namespace {

TLogListener* listener = nullptr;

void StoreLine(std::string_view text) {
  TLogStore& s = LogStore;
  s.LineAppended = true;
  if (s.LogCount >= LogCapacity) InternalError("UnitPaint", "the battle log holds 256 lines");
  s.LogLines[s.LogCount].assign(text);
  ++s.LogCount;
  s.LogScroll += LogLinePitch;
}

}  // namespace

void SetLogListener(TLogListener* newListener) {
  listener = newListener;
}

void LogClear() {
  if (Battle.LogOff) return;
  LogStore.LogCount = 0;
  // The log starts as a full window of blank lines, so new lines enter at the
  // bottom; they are already in place, nothing scrolls.
  for (int i = 0; i < LogViewLines; ++i) StoreLine("");
  LogStore.LogScroll = 0;
}

void LogAppend(std::string_view text) {
  if (Battle.LogOff) return;
  StoreLine(text);
  if (listener != nullptr) listener->LineLogged(text);
}

void LogDropFirst() {
  TLogStore& s = LogStore;
  if (s.LogCount <= 0) return;
  for (int i = 1; i < s.LogCount; ++i) s.LogLines[i - 1] = std::move(s.LogLines[i]);
  --s.LogCount;
  s.LogLines[s.LogCount].clear();
}
