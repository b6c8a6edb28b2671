// What the turn loop (UnitBattle) and the action step (UnitAction) both use
// inside the battle engine, written once: the names of the two ways of
// running, the texts of the log lines and the choice of a click's cue.
// Everything here is inline; the silent battle runs through the same code.
// Nothing outside battle/ includes this header.
#pragma once

#include <cstdint>
#include <string>

#include "battle/Battle.h"

constexpr TRun Shown = TRun::Shown;
constexpr TRun Silent = TRun::Silent;

// A number as a log line writes it.
inline std::string Num(std::int32_t n) {
  return std::to_string(n);
}
// A fighter's name as a log line writes it.
inline std::string NameOf(const TFighter& f) {
  return f.Name.Str();
}

// Chooses the sound of the current click: a later cue replaces an earlier
// one. Does nothing while the log is off. `file` is a program path such as
// "dat\\タ2.wav", or nullptr for none.
inline void SetCue(TBattle& b, const char* file) {
  if (b.LogOff) return;
  b.PendingCue = file;
}
