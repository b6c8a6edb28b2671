// The roster file: reading, validating and parsing "dat\\swordia.txt" into
// swordsman records, and the build notation "HP/Attack/Defence/Speed/Swords"
// shared by the roster and the lab.
#pragma once

#include <string>
#include <string_view>

#include "rules/UnitSword.h"

// Every build of the roster spends exactly this many bonus points.
constexpr int RosterBonusTotal = 10;

// Trims leading and trailing bytes up to 32 (spaces and control characters).
// A full-width space is not trimmed.
std::string TrimControl(std::string_view text);

// Parses a "#Spec" value: five parts split at "/", four signed decimal
// numbers, HP a multiple of 5, known sword marks (the list trimmed and cut to
// 40 bytes), and, when `checkTotal` is set, a bonus total of exactly 10.
// On a fault returns false and sets `fault` to the roster's message for it.
bool ParseSpecText(std::string_view value, TSpec& spec, std::string& fault,
                   bool checkTotal = true);

// The bonus points a build costs: HP/5 + attack + defence + speed + swords.
std::int64_t BonusTotal(const TSpec& spec);
