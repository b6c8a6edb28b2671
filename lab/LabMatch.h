// One tournament match played in the lab: two swordsmen are the only entrants
// still in at the given stage (neither is the hero), and the match runs
// through the real engine and click handlers until it hands the stage over.
#pragma once

#include <functional>
#include <string>

#include "rules/Sword.h"

class TRandom;

// Called for the match start (click 0) and after every click with the lines
// that click logged and the cue it played (nullptr for none).
using TClickReport =
    std::function<void(long long click, const char* cue, const TStringDynArray& lines)>;

// Plays the match; SKIP is pressed at click `skipAt` (never when negative).
// A judgement on equal HP tosses its coin with `dice`, so a caller playing
// several matches carries one sequence through them. Returns false when the
// battle does not come to an end.
bool PlayLabMatch(const std::string (&names)[2], const TSpec (&specs)[2], int stage,
                  long long skipAt, TRandom& dice, const TClickReport& report);
