#include "battle/BattleLog.h"

#include "battle/Battle.h"

TLogStore LogStore;

namespace {

TLogListener* listener = nullptr;

}  // namespace

void SetLogListener(TLogListener* newListener) {
  listener = newListener;
}

void LogClear() {
  if (Battle.LogOff) return;
  LogStore.Lines.assign(LogViewLines, std::string());
  LogStore.LineAppended = true;
}

void LogAppend(std::string_view text) {
  if (Battle.LogOff) return;
  LogStore.Lines.emplace_back(text);
  LogStore.LineAppended = true;
  if (listener != nullptr) listener->LineLogged(text);
}
