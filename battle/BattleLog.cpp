#include "battle/BattleLog.h"

#include "battle/Battle.h"

void LogClear(TBattle& b) {
  if (b.LogOff) return;
  b.Log->Lines.assign(LogViewLines, std::string());
}

void LogAppend(TBattle& b, std::string_view text) {
  if (b.LogOff) return;
  b.Log->Lines.emplace_back(text);
  b.Log->StepLines.emplace_back(text);
}

void LogStepStart(TLogStore& log) {
  log.StepLines.clear();
}
