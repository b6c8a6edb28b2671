#include "battle/BattleLog.h"

#include "battle/Battle.h"

TLogStore LogStore;

void LogClear() {
  if (Battle.LogOff) return;
  LogStore.Lines.assign(LogViewLines, std::string());
}

void LogAppend(std::string_view text) {
  if (Battle.LogOff) return;
  LogStore.Lines.emplace_back(text);
  LogStore.StepLines.emplace_back(text);
}

void LogStepStart() {
  LogStore.StepLines.clear();
}
